#pragma once

#include "core/regional_settings.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarvilo {

// A number's text after a step, and where the cursor then stands.
struct SteppedNumberText
{
    std::string text;
    size_t cursor = 0; // a byte offset into text
};

// Adds units of the digit just left of the cursor, a byte offset into the
// UTF-8 text: with the cursor after "1" in "10.48", one unit gives "20.48".
// With no digit left of it (the cursor before every digit) or with the
// cursor in the exponent or at the end, the last mantissa digit steps:
// "10.48" gives "10.49". The number keeps its decimals, its exponent, its
// blanks and its separators (group separators regrouped by threes); a step
// through zero turns the sign ("0.00" down one is "-0.01"), and the cursor
// keeps its place among the digits.
//
// The text must be a number by the input rule. A text that is not (such as
// "Error"), a step of no units, or one that would leave the range of the
// doubles ("1e308" up) does not step: nullopt.
std::optional<SteppedNumberText> StepNumberText(std::string_view text, size_t cursor, long long units,
                                                const RegionalSettings &regional);

} // namespace tarvilo
