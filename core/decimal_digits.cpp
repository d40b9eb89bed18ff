#include "core/decimal_digits.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace tarvilo {
namespace {

constexpr int kSignificantDigits = 15;

// Adds one unit in the last of count digits. True when the carry ran out of
// the front (every digit was 9): the digits are then all 0.
bool CarryOne(char *digits, size_t count)
{
    while (count > 0 && digits[count - 1] == '9')
        digits[--count] = '0';
    if (count == 0)
        return true;
    ++digits[count - 1];
    return false;
}

// Powers of ten that a double holds exactly.
constexpr double kExactPowersOfTen[] = { 1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                         1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22 };
constexpr int kLargestExactPower = 22;

// The value to 15 digits as an integer of 15 digits times 10^(exponent - 14).
struct ScaledDigits
{
    std::uint64_t digits = 0;
    int exponent = 0;
};

// The power of two of a positive normal double, from its bits: ilogb, log10
// and ldexp are calls into libm that cost more than the rest of the route.
int BinaryExponent(double normal)
{
    return static_cast<int>(std::bit_cast<std::uint64_t>(normal) >> 52) - 1023;
}

double PowerOfTwo(int exponent)
{
    return std::bit_cast<double>(static_cast<std::uint64_t>(exponent + 1023) << 52);
}

// The quick route for everyday magnitudes: one multiplication by an exact
// power of ten puts the 15 digits before the point, off by at most half an
// ulp of the product (a sixteenth of a unit or less below 10^15). Only a
// product that close to a half could round the other way; those, and
// magnitudes beyond the exact powers, are left to WriteFifteenDigits.
std::optional<ScaledDigits> RoundByScaling(double magnitude)
{
    if (!(magnitude >= 1e-7 && magnitude < 1e21))
        return std::nullopt;
    // floor(log10(2^e)) for |e| < 1,650; the decimal exponent is that or
    // one more, which the loop finds.
    int exponent = (BinaryExponent(magnitude) * 78913) >> 18;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int shift = kSignificantDigits - 1 - exponent;
        if (std::abs(shift) > kLargestExactPower)
            return std::nullopt;
        const double scaled = shift >= 0 ? magnitude * kExactPowersOfTen[shift] : magnitude / kExactPowersOfTen[-shift];
        if (scaled < 1e14) {
            --exponent;
        } else if (scaled >= 1e15) {
            ++exponent;
        } else {
            const double whole = std::floor(scaled);
            const double fraction = scaled - whole; // exact
            const double halfUlp = PowerOfTwo(BinaryExponent(scaled) - 53);
            if (std::abs(fraction - 0.5) <= halfUlp)
                return std::nullopt;
            ScaledDigits result{ static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0), exponent };
            if (result.digits == 1'000'000'000'000'000) { // 999...9|7 -> 1000...0: one place up
                result.digits /= 10;
                ++result.exponent;
            }
            return result;
        }
    }
    return std::nullopt;
}

} // namespace

size_t WriteFifteenDigits(double magnitude, std::array<char, kFifteenDigitsTextSize> &text)
{
    // to_chars with a precision rounds the exact binary value, subnormals
    // included; a tie (an exact value of 16 digits, the last a 5) goes to
    // the even digit.
    const auto written = std::to_chars(text.data(), text.data() + text.size(), magnitude, std::chars_format::scientific,
                                       kSignificantDigits - 1);
    return static_cast<size_t>(written.ptr - text.data());
}

DecimalDigits ToFifteenDigits(double value)
{
    DecimalDigits number;
    number.negative = std::signbit(value);
    if (value == 0.0)
        return number;

    // "d.dddddddddddddde-XX": 15 digits, then the exponent.
    std::array<char, kFifteenDigitsTextSize> text{};
    const size_t size = WriteFifteenDigits(std::abs(value), text);
    number.digits.reserve(kSignificantDigits);
    number.digits += text[0];
    number.digits.append(text.data() + 2, kSignificantDigits - 1);
    int exponent = 0;
    const char *sign = text.data() + kSignificantDigits + 2; // past 'e'
    std::from_chars(*sign == '+' ? sign + 1 : sign, text.data() + size, exponent);
    number.pointPosition = exponent + 1;
    while (number.digits.back() == '0')
        number.digits.pop_back();
    return number;
}

std::optional<double> FifteenDigitValueByScaling(double value)
{
    const std::optional<ScaledDigits> scaled = RoundByScaling(std::abs(value));
    if (!scaled)
        return std::nullopt;
    // An integer below 2^53 times or over an exact power of ten is rounded
    // once, correctly: the double nearest to the 15-digit value.
    const int shift = kSignificantDigits - 1 - scaled->exponent;
    if (std::abs(shift) > kLargestExactPower)
        return std::nullopt;
    const auto digits = static_cast<double>(scaled->digits);
    const double magnitude = shift >= 0 ? digits / kExactPowersOfTen[shift] : digits * kExactPowersOfTen[-shift];
    return std::signbit(value) ? -magnitude : magnitude;
}

DecimalDigits RoundToDecimals(DecimalDigits number, int decimals)
{
    const long long keep = static_cast<long long>(number.pointPosition) + decimals;
    if (keep >= static_cast<long long>(number.digits.size()))
        return number;
    if (keep < 0) {
        // Even the first digit lies beyond the next place after the last kept one.
        number.digits.clear();
        number.pointPosition = 0;
        return number;
    }

    const bool roundUp = number.digits[static_cast<size_t>(keep)] >= '5';
    number.digits.resize(static_cast<size_t>(keep));
    if (roundUp && CarryOne(number.digits.data(), number.digits.size())) {
        number.digits.insert(number.digits.begin(), '1'); // 0.99995 -> 1.
        ++number.pointPosition;
    }
    while (!number.digits.empty() && number.digits.back() == '0')
        number.digits.pop_back();
    if (number.digits.empty())
        number.pointPosition = 0;
    return number;
}

namespace {

// The digits of a number by place: element i is the digit of 10^(low + i).
std::vector<int> DigitsByPlace(const DecimalDigits &number, int low, int high)
{
    std::vector<int> byPlace(static_cast<size_t>(high - low), 0);
    for (size_t i = 0; i < number.digits.size(); ++i) {
        const int place = number.pointPosition - 1 - static_cast<int>(i);
        byPlace[static_cast<size_t>(place - low)] = number.digits[i] - '0';
    }
    return byPlace;
}

int CompareMagnitudes(const DecimalDigits &a, const DecimalDigits &b)
{
    if (a.isZero() || b.isZero())
        return (a.isZero() ? 0 : 1) - (b.isZero() ? 0 : 1);
    if (a.pointPosition != b.pointPosition)
        return a.pointPosition < b.pointPosition ? -1 : 1;
    // Without trailing zeros, a longer string of equal start is the larger.
    const int common = a.digits.compare(0, b.digits.size(), b.digits, 0, a.digits.size());
    if (common != 0)
        return common < 0 ? -1 : 1;
    return a.digits.size() == b.digits.size() ? 0 : (a.digits.size() < b.digits.size() ? -1 : 1);
}

} // namespace

DecimalDigits AddExactly(const DecimalDigits &a, const DecimalDigits &b)
{
    if (a.isZero())
        return b.isZero() ? DecimalDigits{} : b;
    if (b.isZero())
        return a;
    const int low = std::min(a.pointPosition - static_cast<int>(a.digits.size()),
                             b.pointPosition - static_cast<int>(b.digits.size()));
    const int high = std::max(a.pointPosition, b.pointPosition) + 1; // room for a carry

    const bool sameSign = a.negative == b.negative;
    const bool aLarger = CompareMagnitudes(a, b) >= 0;
    const DecimalDigits &larger = aLarger ? a : b;
    const DecimalDigits &smaller = aLarger ? b : a;
    std::vector<int> sum = DigitsByPlace(larger, low, high);
    const std::vector<int> other = DigitsByPlace(smaller, low, high);
    int carry = 0;
    for (size_t i = 0; i < sum.size(); ++i) {
        int digit = sameSign ? sum[i] + other[i] + carry : sum[i] - other[i] - carry;
        carry = sameSign ? digit / 10 : (digit < 0 ? 1 : 0);
        sum[i] = sameSign ? digit % 10 : (digit < 0 ? digit + 10 : digit);
    }

    DecimalDigits result;
    result.negative = larger.negative;
    size_t top = sum.size();
    while (top > 0 && sum[top - 1] == 0)
        --top;
    size_t bottom = 0;
    while (bottom < top && sum[bottom] == 0)
        ++bottom;
    if (top == bottom)
        return DecimalDigits{};
    for (size_t i = top; i-- > bottom;)
        result.digits += static_cast<char>('0' + sum[i]);
    result.pointPosition = low + static_cast<int>(top);
    return result;
}

bool BeyondLargestDouble(const DecimalDigits &number)
{
    static const DecimalDigits largest = [] {
        // to_chars with a precision writes the exact value: all 309 digits.
        std::array<char, 400> buffer{};
        const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                           std::numeric_limits<double>::max(), std::chars_format::fixed, 0);
        DecimalDigits digits;
        digits.digits.assign(buffer.data(), written.ptr);
        digits.pointPosition = static_cast<int>(digits.digits.size());
        while (!digits.digits.empty() && digits.digits.back() == '0')
            digits.digits.pop_back();
        return digits;
    }();
    return CompareMagnitudes(number, largest) > 0;
}

} // namespace tarvilo
