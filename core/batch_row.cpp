#include "core/batch_row.h"

#include "core/number_reading.h"

#include <charconv>
#include <variant>

namespace tarvilo {
namespace {

// The common case, a plain "-1.25e-3", straight to from_chars, which gives
// the same nearest double as the full grammar; anything else (blanks, a
// "+", another separator, a value beyond the range) goes the long way.
std::optional<double> ReadPlainNumber(std::string_view text)
{
    const size_t first = !text.empty() && text.front() == '-' ? 1 : 0;
    if (first >= text.size() || !((text[first] >= '0' && text[first] <= '9') || text[first] == '.'))
        return std::nullopt;
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

std::optional<double> ReadBatchNumber(std::string_view text, const BatchNumberRule &rule)
{
    if (const auto plain = ReadPlainNumber(text))
        return plain;
    if (const auto point = ReadRegionalNumber(text, { ".", "" }))
        return point;
    if (!rule.otherDecimalSeparator.empty())
        return ReadRegionalNumber(text, { rule.otherDecimalSeparator, "" });
    return std::nullopt;
}

BatchRow CalculateBatchRow(const BatchFields &fields, const BatchNumberRule &rule)
{
    BatchRow row;
    for (const InputBox box : kInputBoxes) {
        const auto value = ReadBatchNumber(fields[static_cast<size_t>(box)], rule);
        if (!value) {
            row.unreadable = box;
            return row;
        }
        ValueOf(row.inputs, box) = *value;
    }
    return RowOfCase(row.inputs, CalculateCaseResults(row.inputs));
}

BatchRow RowOfCase(const QvInputs &inputs, CaseResults calculation)
{
    BatchRow row;
    row.inputs = inputs;
    row.calculation = std::move(calculation);
    row.margin = ComputeQvMethodMargin(inputs);
    try {
        const auto nose = TracePvNose(inputs);
        if (const auto *found = std::get_if<PvNose>(&nose))
            row.nose = *found;
    } catch (const RunFault &) {
        // Beyond the range of a double: no nose to give.
    }
    return row;
}

CaseNumbers NumbersOf(const BatchRow &row)
{
    CaseNumbers numbers;
    const auto set = [&numbers](CaseNumber number, double value) { numbers[static_cast<size_t>(number)] = value; };
    if (row.unreadable)
        return numbers;
    const std::optional<RunFault> &fault = row.calculation.fault;
    const QvResults &results = row.calculation.results;
    if (!fault || fault->step() > RunStep::CriticalPoint) {
        set(CaseNumber::MargenQ2, results.MargenQ2);
        set(CaseNumber::V2min, results.V2min);
    }
    if (!fault && results.HasSolution) {
        set(CaseNumber::V2sup, results.V2sup);
        set(CaseNumber::Q2sup, results.Q2sup);
        set(CaseNumber::V2inf, results.V2inf);
        set(CaseNumber::Q2inf, results.Q2inf);
    }
    if (row.margin.kind == QvMethodMargin::Kind::Maximum)
        set(CaseNumber::MargenQV, row.margin.value);
    if (row.nose) {
        set(CaseNumber::Pmax, row.nose->Pmax);
        set(CaseNumber::V2Pmax, row.nose->vNose);
    }
    return numbers;
}

} // namespace tarvilo
