#pragma once

// One row of a batch of cases: six number texts -> QvInputs -> the results
// a run shows, without the curves. No words: the layer above says them.

#include "core/case_results.h"
#include "core/pv_curve.h"
#include "core/qv_method_margin.h"
#include "core/qv_types.h"
#include "core/run_host.h"

#include <array>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace tarvilo {

// How a batch file writes its numbers: with "." always and, where the file
// allows it, also with a second decimal separator (the regional one, as
// spreadsheets write it). Digits are never grouped; otherwise the grammar is
// the input boxes' (core/number_reading.h): blanks around, a sign, an
// exponent.
struct BatchNumberRule
{
    std::string otherDecimalSeparator; // empty: "." only
};

std::optional<double> ReadBatchNumber(std::string_view text, const BatchNumberRule &rule);

using BatchFields = std::array<std::string_view, std::size(kInputBoxes)>; // in box order

struct BatchRow
{
    QvInputs inputs;
    std::optional<InputBox> unreadable; // the first field that is no number: nothing else is set
    CaseResults calculation; // as CalculateCase gives it
    QvMethodMargin margin;
    std::optional<PvNose> nose; // none where the P-V curve has no nose, or its values leave the range
};

BatchRow CalculateBatchRow(const BatchFields &fields, const BatchNumberRule &rule);

// The row of a case calculated otherwise (by a run): its margin and nose added.
BatchRow RowOfCase(const QvInputs &inputs, CaseResults calculation);

// The nine numbers a case shows: the six result labels, then the Q-V
// method's margin and the P-V curve's nose. None where the calculation
// stopped before their step or where the quantity does not exist.
enum class CaseNumber { MargenQ2, V2min, V2sup, Q2sup, V2inf, Q2inf, MargenQV, Pmax, V2Pmax };
inline constexpr CaseNumber kCaseNumbers[] = { CaseNumber::MargenQ2, CaseNumber::V2min, CaseNumber::V2sup,
                                               CaseNumber::Q2sup,    CaseNumber::V2inf, CaseNumber::Q2inf,
                                               CaseNumber::MargenQV, CaseNumber::Pmax,  CaseNumber::V2Pmax };
using CaseNumbers = std::array<std::optional<double>, std::size(kCaseNumbers)>;

CaseNumbers NumbersOf(const BatchRow &row);

} // namespace tarvilo
