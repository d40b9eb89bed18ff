#pragma once

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

// The value taken to 15 significant decimal digits, correctly rounded from
// its exact binary value. The value must be finite.
DecimalDigits ToFifteenDigits(double value);

// The same by the slow, plainly exact route; for checking the fast one.
DecimalDigits ToFifteenDigitsExactly(double value);

// The double nearest to the value taken to 15 significant digits, by a
// quick route that serves everyday magnitudes; nullopt where it cannot.
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
