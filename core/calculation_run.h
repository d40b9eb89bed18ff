#pragma once

// Tarvilo's data path: the six input texts -> QvInputs -> critical point and
// the two curve sweeps -> operating points -> result labels, "salida.txt" and
// the chart. The run below drives it; the window, the file and the chart are
// reached only through RunHost.

#include "core/qv_types.h"
#include "core/regional_settings.h"
#include "core/run_host.h"

namespace tarvilo {

inline constexpr const char* kNoSolutionText = "No existe punto solucion";
inline constexpr const char* kErrorText = "Error";

// One calculation run (the body of cmdCalcular_Click). The records belong to
// the window and are overwritten in place. A step that cannot be completed
// throws RunFault; nothing after it happens and what came before stays.
void RunCalculation(RunHost& host, const RegionalSettings& regional, QvInputs& inputs,
                    QvResults& results, QvCurves& curves);

}  // namespace tarvilo
