#pragma once

#include "core/qv_types.h"

#include <optional>
#include <variant>
#include <vector>

namespace tarvilo {

// The nose curve P-V of the same network: the voltage of bus 2 against the
// active power of the load as the load grows at its present power factor
// (Qcarga / Pcarga kept; Beq, X and Uinf as they are), from no load up to
// the maximum loadability Pmax, where the two branches meet. With Pcarga < 0
// bus 2 exports active power and the curve runs over the exported power
// |P| up to the export limit; the network sees P only squared, so the same
// formulas hold with Qcarga taken per unit of exported power.
struct PvCurve
{
    double Pmax = 0.0; // largest |P| with an operating point
    double vNose = 0.0; // the voltage at Pmax, where the branches meet
    bool exporting = false; // Pcarga < 0: p holds exported powers
    std::vector<double> p; // |P| from 0 to Pmax
    std::vector<double> vUpper; // upper-branch voltage at p[i]
    std::vector<double> vLower; // lower-branch voltage at p[i]
};

// Why there is no P-V curve to trace.
enum class PvObstacle {
    NoLoad, // Pcarga = 0: no power factor along which the load could grow
    NoNose, // X Beq = 1 exactly: one operating point for every load, no limit
    NoLine, // X <= 0 or Uinf = 0
};

std::optional<PvObstacle> PvObstacleOf(const QvInputs &inputs);

// Pmax in closed form: with a = 1 - X Beq and t = Qcarga / Pcarga,
//     Pmax = Uinf^2 / (2 X (t a + |a| sqrt(1 + t^2))),
// the first load at which the operating-point equation
//     a^2 y^2 + (2 X a Q - Uinf^2) y + X^2 (P^2 + Q^2) = 0   (y = V^2)
// loses its real roots. Evaluated in a form whose terms never cancel, so it
// keeps its digits for strongly capacitive loads (t -> -infinity) and for a
// shunt that over-compensates the line (a < 0). Requires no obstacle; a
// value beyond the range of a double throws RunFault.
double MaximumLoadability(const QvInputs &inputs);

// Both voltages of the present load, from the same stable forms as the
// curve; none when |Pcarga| is beyond Pmax. Requires no obstacle.
struct PvVoltages
{
    double upper = 0.0;
    double lower = 0.0;
};
std::optional<PvVoltages> PvOperatingVoltages(const QvInputs &inputs);

// The curve in points equally spaced in |P|, the nose last, where both
// branches take the double root. The voltages do not come from the run's
// operating-point solver but from a factored discriminant, accurate to a few
// units in the last place even as X Beq approaches 1; a value beyond the
// range of a double throws RunFault.
std::variant<PvCurve, PvObstacle> TracePvCurve(const QvInputs &inputs, int points);

// The curve's last point alone, as TracePvCurve gives it: Pmax and the
// voltage there, for those who show the numbers without the curve.
struct PvNose
{
    double Pmax = 0.0;
    double vNose = 0.0;
};
std::variant<PvNose, PvObstacle> TracePvNose(const QvInputs &inputs);

// With X Beq = 1 the equation is linear: the one voltage X |S| / Uinf.
double UncompensatedLineVoltage(const QvInputs &inputs);

} // namespace tarvilo
