#include "core/decimal_digits.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace tarvilo {
namespace {

constexpr int kSignificantDigits = 15;

// The digits of a to_chars scientific text ("d.ddde-XX"), kept on the stack:
// a shortest form has up to 17 digits, past std::string's inline room.
struct ScientificForm {
    std::array<char, 24> digits{};
    int count = 0;
    int exponent = 0;
};

ScientificForm ParseScientific(const char* first, const char* last)
{
    ScientificForm form;
    const char* cursor = first;
    for (; cursor != last && *cursor != 'e'; ++cursor) {
        if (*cursor != '.' && form.count < static_cast<int>(form.digits.size())) form.digits[form.count++] = *cursor;
    }
    ++cursor;  // past 'e'
    if (cursor < last && *cursor == '+') ++cursor;
    std::from_chars(cursor, last, form.exponent);
    return form;
}

// Adds one unit in the last of count digits. True when the carry ran out of
// the front (every digit was 9): the digits are then all 0.
bool CarryOne(char* digits, size_t count)
{
    while (count > 0 && digits[count - 1] == '9') digits[--count] = '0';
    if (count == 0) return true;
    ++digits[count - 1];
    return false;
}

DecimalDigits ToDecimalDigits(const ScientificForm& form, bool negative)
{
    DecimalDigits number;
    number.negative = negative;
    number.digits.assign(form.digits.data(), static_cast<size_t>(form.count));
    number.pointPosition = form.exponent + 1;
    while (!number.digits.empty() && number.digits.back() == '0') number.digits.pop_back();
    if (number.digits.empty()) number.pointPosition = 0;
    return number;
}

// The value correctly rounded to 15 digits by to_chars itself: exact, but
// several times slower than the shortest form.
ScientificForm FifteenDigitsExactly(double magnitude)
{
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::scientific, kSignificantDigits - 1);
    return ParseScientific(buffer.data(), result.ptr);
}

// Rounds the shortest form S of the value to 15 digits when that is sure to
// give what rounding the exact binary value B would: S lies within half an
// ulp of B, so only a tail of S closer than that to one half of the 15th
// digit's unit could round the other way. Returns false for those.
bool RoundShortestForm(ScientificForm& form, double magnitude)
{
    // Subnormals carry fewer bits than 15 digits need: their ulp is no
    // longer small against the 15th digit.
    if (magnitude < std::numeric_limits<double>::min()) return false;
    // Otherwise 15-digit decimals lie further apart than doubles do, so a
    // shortest form of 15 digits or fewer is the rounded value itself.
    if (form.count <= kSignificantDigits) return true;

    // Half an ulp in units of the 15th digit: 2^-53 * 10^14 * (decimal
    // mantissa / binary mantissa), with a little room for the estimate.
    int binaryExponent = 0;
    const double binaryMantissa = 2 * std::frexp(magnitude, &binaryExponent);  // [1, 2)
    const double decimalMantissa = (form.digits[0] - '0') + (form.digits[1] - '0') / 10.0 + 0.1;
    const double halfUlp = 0x1p-53 * 1e14 * decimalMantissa / binaryMantissa * 1.05;

    double tail = 0;  // digits beyond the 15th, as a fraction of its unit
    double scale = 0.1;
    for (int i = kSignificantDigits; i < form.count; ++i, scale /= 10) tail += (form.digits[i] - '0') * scale;
    if (std::abs(tail - 0.5) <= halfUlp) return false;

    form.count = kSignificantDigits;
    if (tail > 0.5 && CarryOne(form.digits.data(), kSignificantDigits)) {
        form.digits[0] = '1';  // 9.99...9|7 -> 10.0...0: one digit, one place up
        ++form.exponent;
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
    ScientificForm form = ParseScientific(buffer.data(), result.ptr);
    if (!RoundShortestForm(form, magnitude)) form = FifteenDigitsExactly(magnitude);
    return ToDecimalDigits(form, negative);
}

DecimalDigits ToFifteenDigitsExactly(double value)
{
    if (value == 0.0) {
        DecimalDigits zero;
        zero.negative = std::signbit(value);
        return zero;
    }
    return ToDecimalDigits(FifteenDigitsExactly(std::abs(value)), std::signbit(value));
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
    if (roundUp && CarryOne(number.digits.data(), number.digits.size())) {
        number.digits.insert(number.digits.begin(), '1');  // 0.99995 -> 1.
        ++number.pointPosition;
    }
    while (!number.digits.empty() && number.digits.back() == '0') number.digits.pop_back();
    if (number.digits.empty()) number.pointPosition = 0;
    return number;
}

}  // namespace tarvilo
