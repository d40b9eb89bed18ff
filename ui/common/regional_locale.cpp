#include "ui/common/regional_locale.h"

namespace tarvilo {
namespace {

// A decimal digit other than ASCII's, one UTF-16 unit long as they all are
// in the scripts typed on a regional keyboard.
bool IsOtherDigit(QChar c)
{
    return c.category() == QChar::Number_DecimalDigit && c.unicode() > 0x7F;
}

} // namespace

RegionalSettings RegionalSettingsOf(const QLocale &locale)
{
    return { locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString() };
}

std::string NumberTextOf(const QString &text)
{
    QString ascii = text;
    for (QChar &c : ascii) {
        if (IsOtherDigit(c))
            c = QChar(u'0' + c.digitValue());
    }
    return ascii.toStdString();
}

QString InDigitsOf(const QString &ascii, const QString &typed)
{
    for (const QChar c : typed) {
        if (!IsOtherDigit(c))
            continue;
        const char16_t zero = static_cast<char16_t>(c.unicode() - c.digitValue());
        QString written = ascii;
        for (QChar &digit : written) {
            if (digit >= u'0' && digit <= u'9')
                digit = QChar(static_cast<char16_t>(zero + (digit.unicode() - u'0')));
        }
        return written;
    }
    return ascii;
}

} // namespace tarvilo
