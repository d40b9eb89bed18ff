#pragma once

#include "core/qv_types.h"

namespace tarvilo {

// Where the system characteristic crosses the load characteristic. With
// Q = Qcarga - Beq y and y = V^2 the model becomes k2 y^2 + k1 y + k0 = 0.
// Sets Discriminant and HasSolution, and the two points when there is a
// solution. A leading coefficient of exactly zero (X * Beq = 1) is a fault.
void SolveOperatingPoints(const QvInputs &inputs, QvResults &results);

} // namespace tarvilo
