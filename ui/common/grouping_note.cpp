#include "ui/common/grouping_note.h"

#include "core/number_reading.h"
#include "ui/common/number_text.h"

#include <QStringList>

#include <optional>

namespace tarvilo {
namespace {

constexpr qsizetype kShownCharacters = 20; // of a longer text, its beginning

// Whether the separators among the integer digits group them by threes.
bool GroupedByThrees(const QString &integerPart, const QString &separator)
{
    const QStringList groups = integerPart.split(separator);
    if (groups.front().isEmpty() || groups.front().size() > 3)
        return false;
    for (qsizetype i = 1; i < groups.size(); ++i) {
        if (groups[i].size() != 3)
            return false;
    }
    return true;
}

} // namespace

QString GroupingNote(const QString &text, const RegionalSettings &regional)
{
    const QString group = QString::fromStdString(regional.groupSeparator);
    if (group.isEmpty())
        return {};
    const std::optional<double> value = ReadRegionalNumber(text.toStdString(), regional);
    if (!value)
        return {};
    // The integer digits: after the blanks and the sign, up to the decimal
    // separator or the exponent.
    QString number = text;
    while (!number.isEmpty() && (number.front() == QLatin1Char(' ') || number.front() == QLatin1Char('\t')))
        number.remove(0, 1);
    if (number.startsWith(QLatin1Char('+')) || number.startsWith(QLatin1Char('-')))
        number.remove(0, 1);
    qsizetype end = number.indexOf(QString::fromStdString(regional.decimalSeparator));
    for (const QChar exponent : { QLatin1Char('e'), QLatin1Char('E') }) {
        const qsizetype at = number.indexOf(exponent);
        if (at >= 0 && (end < 0 || at < end))
            end = at;
    }
    const QString integerPart = end < 0 ? number.trimmed() : number.left(end);
    if (!integerPart.contains(group) || GroupedByThrees(integerPart, group))
        return {};
    const QString shown = text.trimmed().size() > kShownCharacters
            ? text.trimmed().left(kShownCharacters) + QStringLiteral("…")
            : text.trimmed();
    return QStringLiteral("«%1» se lee como %2: el separador decimal es «%3».")
            .arg(shown, ExactText(*value, regional), QString::fromStdString(regional.decimalSeparator));
}

} // namespace tarvilo
