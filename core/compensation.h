#pragma once

#include "core/qv_types.h"

namespace tarvilo {

// 1 - X Beq, the part of the line's reactance that the shunt at bus 2 leaves
// uncompensated, rounded once from the exact value of the input doubles
// (Beq = Qcap + B/2 is not rounded first). The P-V nose and the Q-V method's
// margin both divide by it, and near X Beq = 1 a plain 1 - X * Beq would keep
// only the digits that the subtraction did not cancel.
double UncompensatedFraction(const QvInputs &inputs);

} // namespace tarvilo
