// A batch row reads its six texts as the boxes read a number and gives what
// the windows show for the same inputs.
#include "core/batch_row.h"

#include "core/number_reading.h"
#include "core/single_case.h"
#include "tests/support/random_cases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <string>
#include <variant>

namespace tarvilo {
namespace {

using testing::SameDouble;

std::string Shortest(double value)
{
    char digits[32];
    return std::string(digits, std::to_chars(std::begin(digits), std::end(digits), value).ptr);
}

TEST(BatchRow, EachOfAThousandRandomRowsIsTheWindowsCaseToTheBit)
{
    std::mt19937_64 random(1000);
    std::vector<QvInputs> cases = testing::EdgeCases();
    while (cases.size() < 1000)
        cases.push_back(testing::RandomCase(random));
    for (const QvInputs &inputs : cases) {
        std::array<std::string, std::size(kInputBoxes)> texts;
        BatchFields fields;
        for (const InputBox box : kInputBoxes) {
            texts[static_cast<size_t>(box)] = Shortest(ValueOf(inputs, box));
            fields[static_cast<size_t>(box)] = texts[static_cast<size_t>(box)];
        }
        const BatchRow row = CalculateBatchRow(fields, {});
        ASSERT_FALSE(row.unreadable);
        const CaseOutcome whole = CalculateCase(inputs);
        testing::ExpectSameResults(row.calculation.results, row.calculation.fault, whole.results, whole.fault, inputs);

        // The Q-V method's margin and the P-V window's nose.
        const CaseNumbers numbers = NumbersOf(row);
        const QvMethodMargin margin = ComputeQvMethodMargin(inputs);
        const auto &qv = numbers[static_cast<size_t>(CaseNumber::MargenQV)];
        ASSERT_EQ(qv.has_value(), margin.kind == QvMethodMargin::Kind::Maximum);
        EXPECT_TRUE(!qv || SameDouble(*qv, margin.value));
        std::optional<PvCurve> curve;
        try {
            const auto traced = TracePvCurve(inputs, 2);
            if (const auto *found = std::get_if<PvCurve>(&traced))
                curve = *found;
        } catch (const RunFault &) {
        }
        const auto &pmax = numbers[static_cast<size_t>(CaseNumber::Pmax)];
        const auto &vNose = numbers[static_cast<size_t>(CaseNumber::V2Pmax)];
        ASSERT_EQ(pmax.has_value(), curve.has_value());
        ASSERT_EQ(vNose.has_value(), curve.has_value());
        EXPECT_TRUE(!curve || (SameDouble(*pmax, curve->Pmax) && SameDouble(*vNose, curve->vNose)));
        if (HasFailure())
            return;
    }
}

struct NumbersRow
{
    const char *name;
    QvInputs inputs;
    std::vector<CaseNumber> shown;
};

TEST(BatchRow, ShowsTheNumbersItsCalculationReached)
{
    using enum CaseNumber;
    const std::vector<CaseNumber> all(std::begin(kCaseNumbers), std::end(kCaseNumbers));
    const NumbersRow rows[] = {
        { "default case", testing::DefaultCase(), all },
        { "no operating point", testing::Inputs(0.03, 3.33, 1, 30, 0, 0), { MargenQ2, V2min, MargenQV, Pmax, V2Pmax } },
        { "no load: no P-V nose",
          testing::Inputs(0.03, 3.33, 1, 0, 0, 0),
          { MargenQ2, V2min, V2sup, Q2sup, V2inf, Q2inf, MargenQV } },
        { "fault in the sweep", testing::Inputs(-0.03, 3.33, 1, 10.48, 0, 0), { MargenQ2, V2min } },
        { "fault at the critical point", testing::Inputs(0, 3.33, 1, 10.48, 0, 0), {} },
        { "X Beq = 1: its one point",
          testing::Inputs(0.5, 0, 1, 1, 0, 2),
          { MargenQ2, V2min, V2sup, Q2sup, V2inf, Q2inf } },
        { "X Beq > 1: no Q-V maximum",
          testing::Inputs(0.5, 0, 1, 1, 0, 3),
          { MargenQ2, V2min, V2sup, Q2sup, V2inf, Q2inf, Pmax, V2Pmax } },
    };
    for (const NumbersRow &row : rows) {
        const CaseNumbers numbers = NumbersOf(RowOfCase(row.inputs, CalculateCaseResults(row.inputs)));
        for (const CaseNumber number : kCaseNumbers) {
            const bool expected = std::find(row.shown.begin(), row.shown.end(), number) != row.shown.end();
            EXPECT_EQ(numbers[static_cast<size_t>(number)].has_value(), expected)
                    << row.name << ": number " << static_cast<int>(number);
        }
    }
}

TEST(BatchRow, AFieldThatIsNoNumberStopsTheRowThere)
{
    const BatchFields fields = { "0.03", "3.33", "uno", "x", "0", "0" };
    const BatchRow row = CalculateBatchRow(fields, {});
    EXPECT_EQ(row.unreadable, InputBox::Uinf);
    for (const auto &number : NumbersOf(row))
        EXPECT_FALSE(number);
}

struct NumberText
{
    const char *text;
    const char *otherSeparator;
    std::optional<double> value;
};

TEST(BatchNumber, ReadsThePointAlwaysAndTheOtherSeparatorWhereAllowed)
{
    const NumberText rows[] = {
        { "0.03", "", 0.03 },
        { "0,03", "", std::nullopt },
        { "0,03", ",", 0.03 },
        { "0.03", ",", 0.03 },
        { "1,000.5", ",", std::nullopt }, // never grouped digits
        { "1.000,5", ",", std::nullopt },
        { " -2.5e-3 ", "", -2.5e-3 },
        { "+7", "", 7.0 },
        { ".5", "", 0.5 },
        { "5.", "", 5.0 },
        { "-0", "", -0.0 },
        { "1e308", "", 1e308 },
        { "1e309", "", std::nullopt },
        { "-1e309", "", std::nullopt },
        { "1e-400", "", 0.0 },
        { "inf", "", std::nullopt },
        { "-inf", "", std::nullopt },
        { "nan", "", std::nullopt },
        { "0x10", "", std::nullopt },
        { "", "", std::nullopt },
        { "1e", "", std::nullopt },
        { "1\xD9\xAB"
          "5",
          "\xD9\xAB", 1.5 }, // the Arabic decimal separator
    };
    for (const NumberText &row : rows) {
        const std::optional<double> value = ReadBatchNumber(row.text, { row.otherSeparator });
        ASSERT_EQ(value.has_value(), row.value.has_value()) << "[" << row.text << "]";
        if (value) {
            EXPECT_TRUE(SameDouble(*value, *row.value)) << "[" << row.text << "] " << *value;
        }
    }
}

TEST(BatchNumber, ReadsEveryTextAsTheBoxesDoWithAPoint)
{
    std::mt19937_64 random(5);
    const std::string pieces[] = { "0", "1",  "9",  "123456789", ".", "-",   "+",   "e",
                                   "E", "e-", "e3", "e400",      " ", "inf", "nan", "x" };
    std::uniform_int_distribution<size_t> pick(0, std::size(pieces) - 1), length(1, 6);
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        for (size_t n = length(random); n > 0; --n)
            text += pieces[pick(random)];
        const auto batch = ReadBatchNumber(text, {});
        const auto box = ReadRegionalNumber(text, { ".", "" });
        ASSERT_EQ(batch.has_value(), box.has_value()) << "[" << text << "]";
        if (batch) {
            ASSERT_TRUE(SameDouble(*batch, *box)) << "[" << text << "]";
        }
    }
}

} // namespace
} // namespace tarvilo
