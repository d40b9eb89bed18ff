#pragma once

#include "core/qv_types.h"

namespace tarvilo {

// The reactive margin as the Q-V method reads it: the largest distance
// between the two characteristics, max over V of
//     Qline(V) + Beq V^2 - Qcarga,   Qline(V) = (sqrt(Uinf^2 V^2 - X^2 Pcarga^2) - V^2) / X,
// the reactive power the line delivers at V. With a = 1 - X Beq > 0 the
// distance is concave in V^2 and its maximum has a closed form:
//     Uinf^2 / (4 a X) - a X Pcarga^2 / Uinf^2 - Qcarga
// at V^2 = Uinf^2 / (4 a^2) + X^2 Pcarga^2 / Uinf^2. It equals MargenQ2 when
// Beq = 0; otherwise MargenQ2 measures at the nose of the system
// characteristic, which is not where the distance is largest.
struct QvMethodMargin
{
    enum class Kind {
        Maximum, // value at voltage
        Unbounded, // X Beq >= 1: the distance grows without bound with V
        NoLine, // X <= 0 or Uinf = 0: no characteristic of a line
        TooLarge, // beyond the range of a double
    };
    Kind kind = Kind::NoLine;
    double value = 0.0;
    double voltage = 0.0;
};

QvMethodMargin ComputeQvMethodMargin(const QvInputs &inputs);

} // namespace tarvilo
