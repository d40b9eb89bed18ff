#pragma once

#include "core/regional_settings.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvilo {

// Where the parts of a number stand in its text, as the input rule reads
// it: blanks, an optional sign, mantissa digits with the regional group
// separator allowed after any integer digit, the regional decimal separator
// with an optional fraction, an optional exponent (E or e, an optional sign
// and at least one digit), blanks. Places are byte offsets into the UTF-8
// text.
struct ScannedNumber
{
    bool negative = false;
    bool plusSign = false;
    size_t signPlace = 0; // where the sign stands, or the mantissa begins without one
    std::string digits; // the mantissa's digits, separators left out
    std::vector<size_t> digitPlaces; // where each of them stands
    size_t integerDigits = 0; // how many of them come before the decimal separator
    bool decimalSeparator = false;
    bool grouped = false; // a group separator stood among the integer digits
    size_t mantissaEnd = 0; // where the exponent or the trailing blanks begin
    long long exponent = 0; // capped far beyond any double
};

// The parts of a text that is a number by the input rule's grammar, or
// nullopt. Whether its value fits a double is the reading's question.
std::optional<ScannedNumber> ScanNumber(std::string_view text, const RegionalSettings &regional);

// The value of a scanned number: the double nearest to it, nullopt beyond
// the range of a double; one that underflows is 0 or a subnormal.
std::optional<double> ValueOf(const ScannedNumber &number);

} // namespace tarvilo
