#pragma once

#include "core/regional_settings.h"

#include <QLocale>
#include <QString>

#include <string>

namespace tarvilo {

// The separators of a locale, as the core reads and writes numbers with them.
RegionalSettings RegionalSettingsOf(const QLocale &locale);

// A box's text as the core reads numbers: the digits of other scripts that
// a regional keyboard types (Arabic-Indic "٣", Persian "۳") as the ASCII
// digits they stand for, everything else as typed.
std::string NumberTextOf(const QString &text);

// A text of ASCII digits written back in the script of the digits in typed,
// where typed has digits of another script; else as it is.
QString InDigitsOf(const QString &ascii, const QString &typed);

} // namespace tarvilo
