#include "core/number_scanning.h"

#include <charconv>
#include <system_error>

namespace tarvilo {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool StandsAt(std::string_view text, size_t at, std::string_view token)
{
    return !token.empty() && text.substr(at).starts_with(token);
}

constexpr long long kExponentCap = 1'000'000; // far beyond any double, keeps sums small

} // namespace

std::optional<ScannedNumber> ScanNumber(std::string_view text, const RegionalSettings &regional)
{
    size_t at = 0;
    size_t end = text.size();
    while (at < end && IsBlank(text[at]))
        ++at;
    while (end > at && IsBlank(text[end - 1]))
        --end;
    text = text.substr(0, end);

    ScannedNumber number;
    number.signPlace = at;
    if (at < end && (text[at] == '+' || text[at] == '-')) {
        number.negative = text[at] == '-';
        number.plusSign = !number.negative;
        ++at;
    }

    while (at < end) {
        if (IsDigit(text[at])) {
            number.digits += text[at];
            number.digitPlaces.push_back(at);
            ++at;
        } else if (StandsAt(text, at, regional.decimalSeparator)) {
            break;
        } else if (!number.digits.empty() && StandsAt(text, at, regional.groupSeparator)) {
            number.grouped = true;
            at += regional.groupSeparator.size();
        } else {
            break;
        }
    }
    number.integerDigits = number.digits.size();

    if (StandsAt(text, at, regional.decimalSeparator)) {
        number.decimalSeparator = true;
        at += regional.decimalSeparator.size();
        while (at < end && IsDigit(text[at])) {
            number.digits += text[at];
            number.digitPlaces.push_back(at);
            ++at;
        }
    }
    if (number.digits.empty())
        return std::nullopt;
    number.mantissaEnd = at;

    if (at < end && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        bool negativeExponent = false;
        if (at < end && (text[at] == '+' || text[at] == '-')) {
            negativeExponent = text[at] == '-';
            ++at;
        }
        if (at == end || !IsDigit(text[at]))
            return std::nullopt;
        for (; at < end && IsDigit(text[at]); ++at) {
            if (number.exponent < kExponentCap)
                number.exponent = number.exponent * 10 + (text[at] - '0');
        }
        if (number.exponent > kExponentCap)
            number.exponent = kExponentCap;
        if (negativeExponent)
            number.exponent = -number.exponent;
    }
    if (at != end)
        return std::nullopt;
    return number;
}

std::optional<double> ValueOf(const ScannedNumber &number)
{
    // The number in plain C syntax ("-123.45e-6") for from_chars.
    std::string plain;
    plain.reserve(number.digits.size() + 16);
    if (number.negative)
        plain += '-';
    plain.append(number.digits, 0, number.integerDigits);
    if (number.decimalSeparator) {
        plain += '.';
        plain.append(number.digits, number.integerDigits);
    }
    if (number.exponent != 0) {
        char exponent[24];
        exponent[0] = 'e';
        const auto written = std::to_chars(exponent + 1, exponent + sizeof exponent, number.exponent);
        plain.append(exponent, written.ptr);
    }

    double value = 0.0;
    const char *first = plain.data();
    const char *last = first + plain.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc::result_out_of_range) {
        // from_chars reports both ends of the range alike: a number too small
        // for a double reads as zero, one too large is no number at all. The
        // leading non-zero digit's place tells which end this is.
        const size_t leading = number.digits.find_first_not_of('0');
        if (leading == std::string::npos)
            return number.negative ? -0.0 : 0.0;
        const auto integerPlaces = static_cast<long long>(number.integerDigits) - static_cast<long long>(leading);
        // The value is 0.d1d2... x 10^magnitude, d1 the leading non-zero digit.
        const long long magnitude = integerPlaces + number.exponent;
        if (magnitude <= 0)
            return number.negative ? -0.0 : 0.0;
        return std::nullopt;
    }
    if (error != std::errc() || end != last)
        return std::nullopt;
    return value;
}

} // namespace tarvilo
