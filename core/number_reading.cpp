#include "core/number_reading.h"

#include <charconv>
#include <optional>
#include <string>
#include <system_error>

namespace tarvilo {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool Takes(std::string_view& rest, std::string_view token)
{
    if (token.empty() || !rest.starts_with(token)) return false;
    rest.remove_prefix(token.size());
    return true;
}

// A number that passed the syntax check, rewritten in plain C syntax
// ("-123.45e-6"), with what is needed to tell overflow from underflow.
struct PlainNumber {
    std::string text;
    bool negative = false;
    bool allZero = true;
    // Decimal exponent of the leading non-zero digit, as if the mantissa were
    // written 0.d1d2... (only meaningful when allZero is false).
    long long magnitude = 0;
};

constexpr long long kExponentCap = 1'000'000;  // far beyond any double, keeps sums small

std::optional<PlainNumber> RewriteInPlainSyntax(std::string_view rest, const RegionalSettings& regional)
{
    PlainNumber number;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        number.negative = rest.front() == '-';
        if (number.negative) number.text += '-';
        rest.remove_prefix(1);
    }

    bool anyDigit = false;
    long long digitsBeforePoint = 0;  // counted after the leading zeros
    long long leadingZerosAfterPoint = 0;
    while (!rest.empty()) {
        if (IsDigit(rest.front())) {
            const char digit = rest.front();
            number.text += digit;
            anyDigit = true;
            if (digit != '0') number.allZero = false;
            if (!number.allZero) ++digitsBeforePoint;
            rest.remove_prefix(1);
        } else if (!regional.decimalSeparator.empty() && rest.starts_with(regional.decimalSeparator)) {
            break;
        } else if (anyDigit && Takes(rest, regional.groupSeparator)) {
            // group separators are skipped among the integer digits
        } else {
            break;
        }
    }

    if (Takes(rest, regional.decimalSeparator)) {
        number.text += '.';
        while (!rest.empty() && IsDigit(rest.front())) {
            const char digit = rest.front();
            number.text += digit;
            anyDigit = true;
            if (number.allZero && digit == '0' && digitsBeforePoint == 0) ++leadingZerosAfterPoint;
            if (digit != '0') number.allZero = false;
            rest.remove_prefix(1);
        }
    }
    if (!anyDigit) return std::nullopt;

    long long exponent = 0;
    if (!rest.empty() && (rest.front() == 'e' || rest.front() == 'E')) {
        rest.remove_prefix(1);
        bool negativeExponent = false;
        if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
            negativeExponent = rest.front() == '-';
            rest.remove_prefix(1);
        }
        if (rest.empty() || !IsDigit(rest.front())) return std::nullopt;
        while (!rest.empty() && IsDigit(rest.front())) {
            if (exponent < kExponentCap) exponent = exponent * 10 + (rest.front() - '0');
            rest.remove_prefix(1);
        }
        if (exponent > kExponentCap) exponent = kExponentCap;
        if (negativeExponent) exponent = -exponent;
        number.text += 'e';
        number.text += std::to_string(exponent);
    }
    if (!rest.empty()) return std::nullopt;

    number.magnitude = digitsBeforePoint > 0 ? digitsBeforePoint + exponent
                                             : exponent - leadingZerosAfterPoint;
    return number;
}

}  // namespace

std::optional<double> ReadRegionalNumber(std::string_view text, const RegionalSettings& regional)
{
    const std::optional<PlainNumber> number = RewriteInPlainSyntax(TrimBlanks(text), regional);
    if (!number) return std::nullopt;

    double value = 0.0;
    const char* first = number->text.data();
    const char* last = first + number->text.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc::result_out_of_range) {
        // from_chars reports both ends of the range alike: a number too small
        // for a double reads as zero, one too large is no number at all.
        if (number->allZero || number->magnitude <= 0) return number->negative ? -0.0 : 0.0;
        return std::nullopt;
    }
    if (error != std::errc() || end != last) return std::nullopt;
    return value;
}

}  // namespace tarvilo
