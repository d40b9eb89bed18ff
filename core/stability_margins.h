#pragma once

#include "core/qv_types.h"

#include <optional>

namespace tarvilo {

// Why a margin or a sensitivity has no value.
enum class MarginAbsence {
    NoLine, // X <= 0 or Uinf = 0
    NoLoad, // Pcarga = 0: no direction along which the active load grows (Pmax, its percentage)
    NoNose, // X Beq = 1 exactly: the P-V curve has no limit
    NoOperatingPoint, // the characteristics do not cross
    OnePoint, // X Beq = 1 exactly: one operating point, given as the upper one
    AtNose, // the operating point is the double root: the sensitivity is infinite
    ZeroVoltage, // with no load at all the lower point is V2 = 0, where neither is defined
    OverCompensated, // X Beq >= 1: the Thevenin reactance X / (1 - X Beq) is not positive
    TooLarge, // beyond the range of a double, or an input that is not a finite double
};

// A value, or why there is none.
struct MarginValue
{
    double value = 0.0;
    std::optional<MarginAbsence> absence;

    bool exists() const { return !absence; }
};

// At one operating point V2 (y = V2^2) of
//     F(y) = a^2 y^2 + (2 X Qcarga a - Uinf^2) y + X^2 (Pcarga^2 + Qcarga^2) = 0,   a = 1 - X Beq,
// the sensitivities by implicit differentiation, every other input held:
//     dV2/dQcarga = -X (a y + X Qcarga) / (V2 F'(y)),   dV2/dPcarga = -X^2 Pcarga / (V2 F'(y)),
// F'(y) = 2 a^2 y + 2 X Qcarga a - Uinf^2 = +Uinf^2 sqrt(1 - 4 alpha - 4 beta^2) at the upper
// point and minus that at the lower one (alpha = a X Qcarga / Uinf^2, beta = a X Pcarga /
// Uinf^2). Qcarga counts the reactive power the load draws (inductive positive): on the
// stable side (upper point, a > 0) a larger draw lowers the voltage, dV2/dQcarga < 0, and
// at the lower point it raises it. dV2/dPcarga has the sign of -Pcarga at the upper point.
// Both are infinite where F'(y) = 0, at the nose. With X Beq = 1 exactly F'(y) = -Uinf^2.
// The index L = X_th |S| / V2^2, X_th = X / a, S = Pcarga + j Qcarga: below 1 at the upper
// point, above at the lower one, exactly 1 at the double root.
struct PointMargins
{
    MarginValue voltage; // V2 itself
    MarginValue dV2dQcarga;
    MarginValue dV2dPcarga;
    MarginValue indexL;
};

struct StabilityMargins
{
    // Pmax - |Pcarga| (core/pv_curve.h: with Pcarga < 0 Pmax is the export limit, and the
    // margin is the export that can still be added), and the same in % of |Pcarga|.
    MarginValue activeMargin;
    MarginValue activeMarginPercent;
    // V2sup - V2crit, V2crit the voltage at the nose of the system characteristic.
    MarginValue voltageDistance;
    PointMargins upper;
    PointMargins lower;
};

// Every value is computed from the exact input doubles in about 106 bits and rounded
// once, so it lies within an ulp or two of the exact value save where its own formula
// cancels beyond 2^-50 (a margin below 2^-50 of Pmax). The operating points exist
// exactly where SolveOperatingPoints (core/operating_points.h) finds them.
StabilityMargins ComputeStabilityMargins(const QvInputs &inputs);

} // namespace tarvilo
