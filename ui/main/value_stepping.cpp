#include "ui/main/value_stepping.h"

#include "core/number_reading.h"

#include <QList>

#include <algorithm>
#include <cmath>

namespace tarvilo {
namespace {

// Decimal digit strings without sign, most significant first.
QString AddMagnitudes(const QString& a, const QString& b)
{
    QString sum;
    int carry = 0;
    for (qsizetype i = a.size() - 1, j = b.size() - 1; i >= 0 || j >= 0 || carry; --i, --j) {
        const int digit = (i >= 0 ? a[i].digitValue() : 0) + (j >= 0 ? b[j].digitValue() : 0) + carry;
        sum.prepend(QChar(u'0' + digit % 10));
        carry = digit / 10;
    }
    return sum;
}

int CompareMagnitudes(QString a, QString b)
{
    const qsizetype width = std::max(a.size(), b.size());
    a = a.rightJustified(width, u'0');
    b = b.rightJustified(width, u'0');
    return a < b ? -1 : (a > b ? 1 : 0);
}

// a - b for a >= b.
QString SubtractMagnitudes(const QString& a, const QString& b)
{
    QString difference;
    int borrow = 0;
    for (qsizetype i = a.size() - 1, j = b.size() - 1; i >= 0; --i, --j) {
        int digit = a[i].digitValue() - (j >= 0 ? b[j].digitValue() : 0) - borrow;
        borrow = digit < 0;
        if (digit < 0) digit += 10;
        difference.prepend(QChar(u'0' + digit));
    }
    return difference;
}

// The parts of a number text as the input rule reads it.
struct NumberParts {
    QString lead;         // blanks before the sign
    bool negative = false;
    bool plusSign = false;
    QString digits;       // integer and fraction digits, group separators left out
    int integerDigits = 0;
    bool separator = false;
    qsizetype mantissaEnd = 0;  // where the exponent or the trailing blanks begin
    QString tail;         // exponent and trailing blanks, kept as they are
    QList<qsizetype> digitPlaces;  // where each digit stands in the text
};

NumberParts Split(const QString& text, const QString& decimalSeparator)
{
    NumberParts parts;
    qsizetype at = 0;
    while (at < text.size() && (text[at] == u' ' || text[at] == u'\t')) parts.lead += text[at++];
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) {
        parts.negative = text[at] == u'-';
        parts.plusSign = text[at] == u'+';
        ++at;
    }
    for (; at < text.size(); ++at) {
        const QChar c = text[at];
        if (c >= u'0' && c <= u'9') {
            parts.digits += c;
            parts.digitPlaces << at;
            if (!parts.separator) ++parts.integerDigits;
        } else if (!parts.separator && !decimalSeparator.isEmpty() && text.mid(at).startsWith(decimalSeparator)) {
            parts.separator = true;
            at += decimalSeparator.size() - 1;
        } else if (c == u'e' || c == u'E' || c == u' ' || c == u'\t') {
            break;
        }
        // anything else is a group separator among the integer digits
    }
    parts.mantissaEnd = at;
    parts.tail = text.mid(at);
    return parts;
}

}  // namespace

std::optional<SteppedText> StepValue(const QString& text, int cursor, int units, const RegionalSettings& regional)
{
    if (units == 0 || !ReadRegionalNumber(text.toStdString(), regional)) return std::nullopt;
    const QString decimalSeparator = QString::fromStdString(regional.decimalSeparator);
    const NumberParts parts = Split(text, decimalSeparator);

    // The digit just left of the cursor; with none there, the last digit,
    // as with the cursor at the end.
    qsizetype target = parts.digits.size() - 1;
    const bool beforeDigits = parts.digitPlaces.isEmpty() || cursor <= parts.digitPlaces.front();
    if (!beforeDigits && cursor < parts.mantissaEnd) {
        const auto right = std::find_if(parts.digitPlaces.begin(), parts.digitPlaces.end(),
                                        [cursor](qsizetype place) { return place >= cursor; });
        target = (right - parts.digitPlaces.begin()) - 1;
    }

    // units x 10^(places right of the target), in units of the last digit.
    const QString step = QString::number(std::abs(units)) + QString(parts.digits.size() - 1 - target, u'0');
    const bool adding = (units > 0) != parts.negative;
    QString magnitude = parts.digits;
    bool negative = parts.negative;
    if (adding) {
        magnitude = AddMagnitudes(magnitude, step);
    } else if (CompareMagnitudes(magnitude, step) >= 0) {
        magnitude = SubtractMagnitudes(magnitude, step);
    } else {
        magnitude = SubtractMagnitudes(step, magnitude);  // through zero
        negative = !negative;
    }

    // Back to the same decimals, with at most the integer digits it had
    // (and at least one where it had any).
    const int decimals = static_cast<int>(parts.digits.size()) - parts.integerDigits;
    while (magnitude.size() > decimals + std::max(parts.integerDigits, 1) && magnitude.startsWith(u'0')) {
        magnitude.remove(0, 1);
    }
    magnitude = magnitude.rightJustified(decimals + (parts.integerDigits > 0 ? 1 : 0), u'0');
    const bool zero = std::all_of(magnitude.cbegin(), magnitude.cend(), [](QChar c) { return c == u'0'; });
    QString mantissa = magnitude.left(magnitude.size() - decimals);
    if (parts.separator) mantissa += decimalSeparator + magnitude.right(decimals);

    const QString sign = negative && !zero ? QStringLiteral("-") : (parts.plusSign ? QStringLiteral("+") : QString());
    SteppedText stepped;
    stepped.text = parts.lead + sign + mantissa + parts.tail;
    // The cursor keeps its distance from the end of the number.
    const qsizetype fromEnd = parts.mantissaEnd - std::min<qsizetype>(cursor, parts.mantissaEnd);
    const qsizetype newEnd = parts.lead.size() + sign.size() + mantissa.size();
    stepped.cursor = static_cast<int>(std::max<qsizetype>(parts.lead.size(), newEnd - fromEnd) +
                                      std::max<qsizetype>(0, cursor - parts.mantissaEnd));
    if (beforeDigits) stepped.cursor = std::min(cursor, static_cast<int>(newEnd));
    // A step beyond the range of the numbers is refused: the text stays.
    if (!ReadRegionalNumber(stepped.text.toStdString(), regional)) return std::nullopt;
    return stepped;
}

}  // namespace tarvilo
