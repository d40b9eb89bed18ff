#pragma once

#include "core/qv_types.h"
#include "core/regional_settings.h"

#include <QString>

namespace tarvilo {

// The chart in words, for a screen reader: the nose, the margin, the
// minimum voltage and the operating points of a completed run, and the Q-V
// method's margin of its inputs.
QString ChartDescription(const QvInputs &inputs, const QvResults &results, const RegionalSettings &regional);

} // namespace tarvilo
