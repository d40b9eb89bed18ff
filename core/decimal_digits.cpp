#include "core/decimal_digits.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tarvilo {
namespace {

void StripTrailingZeros(DecimalDigits& number)
{
    while (!number.digits.empty() && number.digits.back() == '0') number.digits.pop_back();
    if (number.digits.empty()) number.pointPosition = 0;
}

}  // namespace

DecimalDigits ToFifteenDigits(double value)
{
    DecimalDigits number;
    number.negative = std::signbit(value);
    if (value == 0.0) return number;

    // "d.dddddddddddddde+XXX": 15 significant digits, locale-independent.
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::abs(value),
                                      std::chars_format::scientific, 14);
    const char* cursor = buffer.data();
    for (; cursor != result.ptr && *cursor != 'e'; ++cursor) {
        if (*cursor != '.') number.digits += *cursor;
    }
    int exponent = 0;
    ++cursor;  // past 'e'
    if (*cursor == '+') ++cursor;
    std::from_chars(cursor, result.ptr, exponent);
    number.pointPosition = exponent + 1;
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
