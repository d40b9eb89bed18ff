#include "core/decimal_digits.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace tarvilo {
namespace {

void StripTrailingZeros(DecimalDigits& number)
{
    while (!number.digits.empty() && number.digits.back() == '0') number.digits.pop_back();
    if (number.digits.empty()) number.pointPosition = 0;
}

}  // namespace

namespace {

constexpr int kSignificantDigits = 15;

// Digits and decimal exponent of a to_chars scientific text "d.ddde-XX".
DecimalDigits ParseScientific(const char* first, const char* last, bool negative)
{
    DecimalDigits number;
    number.negative = negative;
    const char* cursor = first;
    for (; cursor != last && *cursor != 'e'; ++cursor) {
        if (*cursor != '.') number.digits += *cursor;
    }
    int exponent = 0;
    ++cursor;  // past 'e'
    if (*cursor == '+') ++cursor;
    std::from_chars(cursor, last, exponent);
    number.pointPosition = exponent + 1;
    return number;
}

// The value correctly rounded to 15 digits by to_chars itself: exact, but
// several times slower than the shortest form.
DecimalDigits FifteenDigitsExactly(double magnitude, bool negative)
{
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::scientific, kSignificantDigits - 1);
    return ParseScientific(buffer.data(), result.ptr, negative);
}

// Rounds the shortest form S of the value to 15 digits when that is sure to
// give what rounding the exact binary value B would: S lies within half an
// ulp of B, so only a tail of S closer than that to one half of the 15th
// digit's unit could round the other way. Returns false for those.
bool RoundShortestForm(DecimalDigits& number, double magnitude)
{
    // Subnormals carry fewer bits than 15 digits need: their ulp is no
    // longer small against the 15th digit.
    if (magnitude < std::numeric_limits<double>::min()) return false;
    // Otherwise 15-digit decimals lie further apart than doubles do, so a
    // shortest form of 15 digits or fewer is the rounded value itself.
    if (number.digits.size() <= static_cast<size_t>(kSignificantDigits)) return true;

    // Half an ulp in units of the 15th digit: 2^-53 * 10^14 * (decimal
    // mantissa / binary mantissa), with a little room for the estimate.
    int binaryExponent = 0;
    const double binaryMantissa = 2 * std::frexp(magnitude, &binaryExponent);  // [1, 2)
    const double decimalMantissa = (number.digits[0] - '0') + (number.digits[1] - '0') / 10.0 + 0.1;
    const double halfUlp = 0x1p-53 * 1e14 * decimalMantissa / binaryMantissa * 1.05;

    double tail = 0;  // digits beyond the 15th, as a fraction of its unit
    double scale = 0.1;
    for (size_t i = kSignificantDigits; i < number.digits.size(); ++i, scale /= 10) {
        tail += (number.digits[i] - '0') * scale;
    }
    if (std::abs(tail - 0.5) <= halfUlp) return false;

    const bool roundUp = tail > 0.5;
    number.digits.resize(kSignificantDigits);
    if (roundUp) {
        size_t index = number.digits.size();
        while (index > 0 && number.digits[index - 1] == '9') number.digits[--index] = '0';
        if (index == 0) {
            number.digits.insert(number.digits.begin(), '1');
            number.digits.pop_back();
            ++number.pointPosition;
        } else {
            ++number.digits[index - 1];
        }
    }
    return true;
}

}  // namespace

DecimalDigits ToFifteenDigits(double value)
{
    const bool negative = std::signbit(value);
    if (value == 0.0) {
        DecimalDigits zero;
        zero.negative = negative;
        return zero;
    }

    const double magnitude = std::abs(value);
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::scientific);
    DecimalDigits number = ParseScientific(buffer.data(), result.ptr, negative);
    if (!RoundShortestForm(number, magnitude)) number = FifteenDigitsExactly(magnitude, negative);
    StripTrailingZeros(number);
    return number;
}

DecimalDigits ToFifteenDigitsExactly(double value)
{
    DecimalDigits number;
    if (value == 0.0) {
        number.negative = std::signbit(value);
        return number;
    }
    number = FifteenDigitsExactly(std::abs(value), std::signbit(value));
    StripTrailingZeros(number);
    return number;
}

DecimalDigits RoundToDecimals(DecimalDigits number, int decimals)
{
    const long long keep = static_cast<long long>(number.pointPosition) + decimals;
    if (keep >= static_cast<long long>(number.digits.size())) return number;
    if (keep < 0) {
        // Even the first digit lies beyond the next place after the last kept one.
        number.digits.clear();
        number.pointPosition = 0;
        return number;
    }

    const bool roundUp = number.digits[static_cast<size_t>(keep)] >= '5';
    number.digits.resize(static_cast<size_t>(keep));
    if (roundUp) {
        size_t index = number.digits.size();
        while (index > 0 && number.digits[index - 1] == '9') {
            number.digits[index - 1] = '0';
            --index;
        }
        if (index == 0) {
            number.digits.insert(number.digits.begin(), '1');  // 0.99995 -> 1.
            ++number.pointPosition;
        } else {
            ++number.digits[index - 1];
        }
    }
    StripTrailingZeros(number);
    return number;
}

}  // namespace tarvilo
