#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace tarvilo {

// A number as decimal digits: value = 0.d1d2d3... x 10^pointPosition, with
// no leading or trailing zeros in digits. Zero has no digits. Formatting
// works on these digits so that rounding is decimal, not binary.
struct DecimalDigits
{
    bool negative = false;
    std::string digits;
    int pointPosition = 0;

    bool isZero() const { return digits.empty(); }
};

// Room for the text of a value to 15 digits: "d.dddddddddddddde-324".
inline constexpr size_t kFifteenDigitsTextSize = 24;

// Writes the magnitude (finite, positive) to 15 significant digits,
// correctly rounded from its exact binary value, as "d.dddddddddddddde+XX";
// returns the length. The exact route: the digits of every text go this
// way, and the quick one below is held to it.
size_t WriteFifteenDigits(double magnitude, std::array<char, kFifteenDigitsTextSize> &text);

// The value taken to 15 significant decimal digits, as WriteFifteenDigits
// writes them. The value must be finite.
DecimalDigits ToFifteenDigits(double value);

// The double nearest to the value taken to 15 significant digits, by a
// quick route that serves everyday magnitudes (one multiplication by an
// exact power of ten, declined near a half); nullopt where it cannot.
// The chart reads each of its 1,500 values through it: to_chars with a
// precision and from_chars take several times its instructions (callgrind,
// the window bench: a run 12 % more), so it stays beside the exact route.
std::optional<double> FifteenDigitValueByScaling(double value);

// Rounds to the given number of decimals, a 5 in the first dropped place
// rounding away from zero.
DecimalDigits RoundToDecimals(DecimalDigits number, int decimals);

// The exact sum. Its digits span the places of both numbers, so they should
// lie near each other (a step within a number's own digits); a zero sum is
// positive.
DecimalDigits AddExactly(const DecimalDigits &a, const DecimalDigits &b);

// Whether the number's magnitude is larger than that of the largest double.
bool BeyondLargestDouble(const DecimalDigits &number);

} // namespace tarvilo
