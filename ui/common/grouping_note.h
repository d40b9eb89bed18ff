#pragma once

#include "core/regional_settings.h"

#include <QString>

namespace tarvilo {

// A box's text is read with the regional group separator skipped wherever
// it stands among the integer digits: under Spanish settings "0.1" is 1.
// Where a separator stands that no grouping by threes would place there
// ("0.1", "10.48", "1000.5"), the text was most likely meant with it as the
// decimal separator, and the reading is said: «0.1» se lee como 1: el
// separador decimal es «,». Empty for a text grouped by threes ("1.000"),
// without a separator, or that is no number.
QString GroupingNote(const QString &text, const RegionalSettings &regional);

} // namespace tarvilo
