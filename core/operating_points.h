#pragma once

#include "core/qv_types.h"

namespace tarvilo {

// Where the system characteristic crosses the load characteristic. With
// Q = Qcarga - Beq y and y = V^2 the model becomes k2 y^2 + k1 y + k0 = 0,
// k2 = (1 - X Beq)^2 / Uinf^2. Sets Discriminant and HasSolution, and the
// two points when there is a solution. HasSolution is the sign of the
// discriminant of the exact input doubles (save within about 2^-96 of its
// terms, taken as zero), and the points lie within a few units in the last
// place of their exact values: near X Beq = 1 and near the loadability limit
// the model's own order of operations keeps too few digits, and there an
// evaluation in twice the precision takes its place. X Beq = 1 exactly
// leaves one operating point, V = X |S| / Uinf, given as both points. A
// value beyond the range of a double is a fault.
void SolveOperatingPoints(const QvInputs &inputs, QvResults &results);

} // namespace tarvilo
