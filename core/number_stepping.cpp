#include "core/number_stepping.h"

#include "core/decimal_digits.h"
#include "core/number_scanning.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace tarvilo {
namespace {

// The mantissa's value, its exponent left aside.
DecimalDigits MantissaOf(const ScannedNumber &number)
{
    DecimalDigits mantissa;
    const size_t leading = number.digits.find_first_not_of('0');
    if (leading == std::string::npos)
        return mantissa;
    const size_t trailing = number.digits.find_last_not_of('0');
    mantissa.negative = number.negative;
    mantissa.digits = number.digits.substr(leading, trailing + 1 - leading);
    mantissa.pointPosition = static_cast<int>(number.integerDigits) - static_cast<int>(leading);
    return mantissa;
}

// units x 10^place.
DecimalDigits UnitsAt(long long units, int place)
{
    DecimalDigits step;
    step.negative = units < 0;
    const unsigned long long magnitude =
            units < 0 ? 0ULL - static_cast<unsigned long long>(units) : static_cast<unsigned long long>(units);
    char buffer[24];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, magnitude);
    step.digits.assign(buffer, written.ptr);
    step.pointPosition = static_cast<int>(step.digits.size()) + place;
    while (!step.digits.empty() && step.digits.back() == '0')
        step.digits.pop_back();
    return step;
}

// The digits of a value from the place integerPlaces - 1 down to -decimals.
std::string DigitsAtPlaces(const DecimalDigits &value, int integerPlaces, int decimals)
{
    std::string text;
    for (int place = integerPlaces - 1; place >= -decimals; --place) {
        const int index = value.pointPosition - 1 - place;
        const bool within = index >= 0 && index < static_cast<int>(value.digits.size());
        text += within ? value.digits[static_cast<size_t>(index)] : '0';
    }
    return text;
}

// A mantissa's text and where each of its digits stands in it.
struct MantissaText
{
    std::string text;
    std::vector<size_t> digitPlaces;

    void addDigit(char digit)
    {
        digitPlaces.push_back(text.size());
        text += digit;
    }
};

MantissaText WriteMantissa(const std::string &digits, size_t integerPlaces, bool grouped, bool decimalSeparator,
                           const RegionalSettings &regional)
{
    MantissaText mantissa;
    for (size_t i = 0; i < integerPlaces; ++i) {
        if (grouped && i > 0 && (integerPlaces - i) % 3 == 0)
            mantissa.text += regional.groupSeparator;
        mantissa.addDigit(digits[i]);
    }
    if (decimalSeparator) {
        mantissa.text += regional.decimalSeparator;
        for (size_t i = integerPlaces; i < digits.size(); ++i)
            mantissa.addDigit(digits[i]);
    }
    return mantissa;
}

} // namespace

std::optional<SteppedNumberText> StepNumberText(std::string_view text, size_t cursor, long long units,
                                                const RegionalSettings &regional)
{
    if (units == 0)
        return std::nullopt;
    // A text beyond the range of the doubles reads as no number: no step either.
    const std::optional<ScannedNumber> number = ScanNumber(text, regional);
    if (!number || !ValueOf(*number))
        return std::nullopt;
    cursor = std::min(cursor, text.size());

    // The digit just left of the cursor; with none there, the last digit.
    const std::vector<size_t> &places = number->digitPlaces;
    const bool beforeDigits = cursor <= places.front();
    size_t target = places.size() - 1;
    if (!beforeDigits && cursor < number->mantissaEnd) {
        target = static_cast<size_t>(std::lower_bound(places.begin(), places.end(), cursor) - places.begin()) - 1;
    }

    const auto integerDigits = static_cast<int>(number->integerDigits);
    const int decimals = static_cast<int>(number->digits.size()) - integerDigits;
    const int targetPlace = integerDigits - 1 - static_cast<int>(target);
    const DecimalDigits sum = AddExactly(MantissaOf(*number), UnitsAt(units, targetPlace));
    DecimalDigits value = sum;
    value.pointPosition = static_cast<int>(sum.pointPosition + number->exponent);
    if (!sum.isZero() && BeyondLargestDouble(value))
        return std::nullopt;

    // The same decimals; the integer digits the sum needs, and at least up
    // to the stepped digit, so that the next step steps the same place
    // ("10" down in the tens is "00", then "-10").
    const int integerPlaces =
            std::max({ sum.isZero() ? 0 : sum.pointPosition, targetPlace + 1, integerDigits > 0 ? 1 : 0 });
    const MantissaText mantissa =
            WriteMantissa(DigitsAtPlaces(sum, integerPlaces, decimals), static_cast<size_t>(integerPlaces),
                          number->grouped, number->decimalSeparator, regional);
    const std::string sign = sum.negative ? "-" : (number->plusSign ? "+" : "");

    SteppedNumberText stepped;
    stepped.text.reserve(text.size() + 8);
    stepped.text.append(text.substr(0, number->signPlace));
    stepped.text += sign;
    stepped.text += mantissa.text;
    stepped.text.append(text.substr(number->mantissaEnd));

    const size_t mantissaStart = number->signPlace + sign.size();
    const size_t mantissaEnd = mantissaStart + mantissa.text.size();
    if (beforeDigits) {
        stepped.cursor = std::min(cursor, mantissaEnd);
    } else if (cursor >= number->mantissaEnd) {
        stepped.cursor = mantissaEnd + (cursor - number->mantissaEnd);
    } else {
        // After the digit of the same place, with the separator it stood
        // behind where that is still there.
        const size_t digitsRight = places.size() - 1 - target;
        const size_t newTarget = mantissa.digitPlaces.size() - 1 - digitsRight;
        const size_t afterDigit = mantissaStart + mantissa.digitPlaces[newTarget] + 1;
        const size_t nextDigit = newTarget + 1 < mantissa.digitPlaces.size()
                ? mantissaStart + mantissa.digitPlaces[newTarget + 1]
                : mantissaEnd;
        stepped.cursor = afterDigit + std::min(cursor - (places[target] + 1), nextDigit - afterDigit);
    }
    return stepped;
}

} // namespace tarvilo
