#pragma once

#include "core/double_double.h"
#include "core/qv_types.h"

namespace tarvilo {

// 1 - X Beq, the part of the line's reactance that the shunt at bus 2 leaves
// uncompensated, rounded once from the exact value of the input doubles
// (Beq = Qcap + B/2 is not rounded first). The P-V nose, the Q-V method's
// margin and the operating points all divide by it, and near X Beq = 1 a
// plain 1 - X * Beq would keep only the digits that the subtraction did not
// cancel. Where a product is beyond the range, what the plain formula gives.
double UncompensatedFraction(const QvInputs &inputs);

// The same in twice the precision and without a range, for the operating
// points, whose discriminant subtracts terms in a and a^2. Its error is
// below 2^-102 of 1 + |X Qcap| + |X B/2|.
WideDouble UncompensatedFractionWide(const QvInputs &inputs);

} // namespace tarvilo
