#include "ui/common/regional_locale.h"

namespace tarvilo {

RegionalSettings RegionalSettingsOf(const QLocale &locale)
{
    return { locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString() };
}

} // namespace tarvilo
