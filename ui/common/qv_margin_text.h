#pragma once

#include "core/qv_method_margin.h"
#include "core/regional_settings.h"

#include <QString>

namespace tarvilo {

// The Q-V method's margin as a value for a table or a copied line: the
// number to 15 digits (exact) or four decimals, or words where there is none
// ("Sin máximo"); "" without a line.
QString QvMarginValue(const QvMethodMargin &margin, bool exact, const RegionalSettings &regional);

// The same in a sentence, for the chart's description in words.
QString QvMarginSentence(const QvMethodMargin &margin, const RegionalSettings &regional);

} // namespace tarvilo
