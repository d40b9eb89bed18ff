#pragma once

#include "core/regional_settings.h"

#include <QLocale>

namespace tarvilo {

// The separators of a locale, as the core reads and writes numbers with them.
RegionalSettings RegionalSettingsOf(const QLocale &locale);

} // namespace tarvilo
