#include "core/number_format.h"

#include "core/decimal_digits.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <cstdlib>
#include <optional>
#include <string>
#include <system_error>

namespace tarvilo {
namespace {

struct PatternShape
{
    int minIntegerDigits = 0;
    int minDecimals = 0;
    int maxDecimals = 0;
};

PatternShape ShapeOf(std::string_view pattern)
{
    PatternShape shape;
    const size_t point = pattern.find('.');
    const std::string_view integerPart = pattern.substr(0, point);
    shape.minIntegerDigits = static_cast<int>(std::count(integerPart.begin(), integerPart.end(), '0'));
    if (point != std::string_view::npos) {
        const std::string_view decimalPart = pattern.substr(point + 1);
        shape.maxDecimals = static_cast<int>(decimalPart.size());
        shape.minDecimals = static_cast<int>(std::count(decimalPart.begin(), decimalPart.end(), '0'));
    }
    return shape;
}

// Digits of a number in fixed notation: integer part and fraction part.
struct FixedParts
{
    std::string integer;
    std::string fraction;
};

FixedParts SplitAtPoint(const DecimalDigits &number)
{
    FixedParts parts;
    const long long size = static_cast<long long>(number.digits.size());
    const long long point = number.pointPosition;
    if (point > 0) {
        parts.integer = number.digits.substr(0, static_cast<size_t>(std::min(point, size)));
        if (point > size)
            parts.integer.append(static_cast<size_t>(point - size), '0');
        if (point < size)
            parts.fraction = number.digits.substr(static_cast<size_t>(point));
    } else {
        parts.fraction.assign(static_cast<size_t>(-point), '0');
        parts.fraction += number.digits;
    }
    return parts;
}

std::string NonFiniteText(double value)
{
    if (std::isnan(value))
        return "nan";
    return value < 0 ? "-inf" : "inf";
}

} // namespace

std::string FormatWithPattern(double value, std::string_view pattern, const RegionalSettings &regional)
{
    if (!std::isfinite(value))
        return NonFiniteText(value);
    const PatternShape shape = ShapeOf(pattern);
    const DecimalDigits rounded = RoundToDecimals(ToFifteenDigits(value), shape.maxDecimals);
    FixedParts parts = SplitAtPoint(rounded);

    if (static_cast<int>(parts.integer.size()) < shape.minIntegerDigits) {
        parts.integer.insert(0, static_cast<size_t>(shape.minIntegerDigits) - parts.integer.size(), '0');
    }
    if (static_cast<int>(parts.fraction.size()) < shape.minDecimals) {
        parts.fraction.append(static_cast<size_t>(shape.minDecimals) - parts.fraction.size(), '0');
    }

    std::string text;
    text.reserve(parts.integer.size() + parts.fraction.size() + 4);
    if (rounded.negative && !rounded.isZero())
        text += '-';
    text += parts.integer;
    if (shape.maxDecimals > 0 || pattern.find('.') != std::string_view::npos) {
        text += regional.decimalSeparator;
    }
    text += parts.fraction;
    return text;
}

std::string ToGeneralText(double value, const RegionalSettings &regional)
{
    if (!std::isfinite(value))
        return NonFiniteText(value);
    const DecimalDigits number = ToFifteenDigits(value);
    if (number.isZero())
        return "0";

    std::string text;
    if (number.negative)
        text += '-';
    const int exponent = number.pointPosition - 1;
    if (exponent < -4 || exponent >= 15) {
        text += number.digits.front();
        if (number.digits.size() > 1) {
            text += regional.decimalSeparator;
            text.append(number.digits, 1);
        }
        text += exponent < 0 ? "E-" : "E+";
        const std::string exponentDigits = std::to_string(std::abs(exponent));
        if (exponentDigits.size() < 2)
            text += '0';
        text += exponentDigits;
        return text;
    }

    const FixedParts parts = SplitAtPoint(number);
    text += parts.integer.empty() ? "0" : parts.integer;
    if (!parts.fraction.empty()) {
        text += regional.decimalSeparator;
        text += parts.fraction;
    }
    return text;
}

double ToFifteenDigitValue(double value)
{
    if (!std::isfinite(value) || value == 0.0)
        return value;
    if (const std::optional<double> quick = FifteenDigitValueByScaling(value))
        return *quick;
    std::array<char, kFifteenDigitsTextSize> text{};
    const size_t size = WriteFifteenDigits(std::abs(value), text);
    double magnitude = 0.0;
    if (std::from_chars(text.data(), text.data() + size, magnitude).ec == std::errc::result_out_of_range) {
        // Only the largest doubles round up past the range at 15 digits
        // (1.79769313486232E+308); the nearest double is the largest one.
        magnitude = std::numeric_limits<double>::max();
    }
    return std::signbit(value) ? -magnitude : magnitude;
}

std::string FormatCurveFileField(double value, const RegionalSettings &regional)
{
    // Reading the general text back gives the same 15 digits again (15 digits
    // survive a round trip through a double), so the two steps reduce to one:
    // pattern formatting of the 15-digit value.
    return FormatWithPattern(value, kCurveFilePattern, regional);
}

} // namespace tarvilo
