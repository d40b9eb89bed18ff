#pragma once

// The calculation run: the six input texts -> QvInputs -> critical point and
// the two curve sweeps -> operating points, with the labels, the curve file
// and the chart reached only through RunHost.

#include "core/qv_types.h"
#include "core/regional_settings.h"
#include "core/run_host.h"

namespace tarvilo {

// What a run writes into the four operating-point labels without a solution.
inline constexpr const char *kErrorText = "Error";

// One calculation run (the body of cmdCalcular_Click). The records belong to
// the window and are overwritten in place. A step that cannot be completed
// throws RunFault; nothing after it happens and what came before stays.
void RunCalculation(RunHost &host, const RegionalSettings &regional, QvInputs &inputs, QvResults &results,
                    QvCurves &curves);

} // namespace tarvilo
