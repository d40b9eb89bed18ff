#include "ui/main/default_case.h"

namespace tarvilo {
namespace {

constexpr const char *kDefaultCase[] = { "0.03", "3.33", "1.00", "10.48", "0.00", "0.00" };

} // namespace

InputTexts DefaultCaseSpelt(const QString &decimalSeparator)
{
    InputTexts texts;
    for (size_t i = 0; i < texts.size(); ++i) {
        texts[i] = QString::fromLatin1(kDefaultCase[i]).replace(QLatin1Char('.'), decimalSeparator);
    }
    return texts;
}

StartUpSets DefaultSetsFor(const RegionalSettings &regional)
{
    const QString separator = QString::fromStdString(regional.decimalSeparator);
    const QString other = separator == QLatin1String(".") ? QStringLiteral(",") : QStringLiteral(".");
    return { DefaultCaseSpelt(separator), DefaultCaseSpelt(other) };
}

} // namespace tarvilo
