#pragma once

#include "core/qv_types.h"

#include <variant>
#include <vector>

namespace tarvilo {

// The nose curve P-V of the same network: the voltage of bus 2 against the
// active power of the load as the load grows at its present power factor
// (Qcarga / Pcarga kept; Beq, X and Uinf as they are), from no load up to
// the maximum loadability Pmax, where the two branches meet.
struct PvCurve {
    double Pmax = 0.0;
    std::vector<double> p;       // active powers from 0 to Pmax
    std::vector<double> vUpper;  // upper-branch voltage at p[i]
    std::vector<double> vLower;  // lower-branch voltage at p[i]
};

// Why there is no P-V curve to trace.
enum class PvObstacle {
    NoLoad,  // Pcarga <= 0: no active power that could grow
    NoNose,  // X Beq >= 1: the shunt compensates the whole line
    NoLine,  // X <= 0 or Uinf = 0
};

// Pmax in closed form. With Qcarga = t P (t = Qcarga / Pcarga) the
// operating-point equation k2 y^2 + k1 y + k0 = 0 has k2 = a^2 / Uinf^2
// (a = 1 - X Beq), k1 = alpha P - 1 (alpha = 2 X t a / Uinf^2) and
// 4 k2 k0 = beta P^2 (beta = 4 a^2 X^2 (1 + t^2) / Uinf^4); its discriminant
// (alpha P - 1)^2 - beta P^2 first vanishes at P = 1 / (alpha + sqrt(beta)).
// Requires no obstacle.
double MaximumLoadability(const QvInputs& inputs);

// The curve in points equally spaced in P, the nose last, where both
// branches take the double root. The voltages come from the operating-point
// solver; a value beyond the range of a double throws RunFault.
std::variant<PvCurve, PvObstacle> TracePvCurve(const QvInputs& inputs, int points);

}  // namespace tarvilo
