#include "core/operating_points.h"

#include "core/checked.h"
#include "core/double_double.h"
#include "core/margin_terms.h"

#include <cmath>

namespace tarvilo {
namespace {

struct Solution
{
    double discriminant = NAN;
    bool hasSolution = false;
    double V2sup = NAN;
    double Q2sup = NAN;
    double V2inf = NAN;
    double Q2inf = NAN;
};

// k2 y^2 + k1 y + k0 = 0 in the model's own order of operations, in plain
// doubles; NaN where it fails (k2 zero, a root of a negative number).
Solution SolveAsStated(const QvInputs &inputs)
{
    const double X = inputs.X;
    const double Uinf = inputs.Uinf;
    const double Qcarga = inputs.Qcarga;
    const double beq = Beq(inputs);
    const double u2 = Uinf * Uinf;

    const double k2 = ((beq * X) / Uinf) * ((beq * X) / Uinf) + (1 - (2 * X) * beq) / u2;
    const double k1 = ((-beq) * Qcarga * 2 * (X * X)) / u2 + (2 * X * Qcarga) / u2 - 1;
    const double p = (inputs.Pcarga * X) / Uinf;
    const double q = (Qcarga * X) / Uinf;
    const double k0 = p * p + q * q;

    Solution stated;
    stated.discriminant = k1 * k1 - (4 * k2) * k0;
    stated.hasSolution = stated.discriminant >= 0.0;
    if (!stated.hasSolution)
        return stated;
    const double y1 = (-k1 + std::sqrt(stated.discriminant)) / (2 * k2);
    const double y2 = (-k1 - std::sqrt(stated.discriminant)) / (2 * k2);
    stated.V2sup = std::sqrt(y1);
    stated.V2inf = std::sqrt(y2);
    stated.Q2sup = Qcarga - beq * (stated.V2sup * stated.V2sup);
    stated.Q2inf = Qcarga - beq * (stated.V2inf * stated.V2inf);
    return stated;
}

double Finite(WideDouble value)
{
    return Checked::finite(value.toDouble()).value();
}

// The same equation with every coefficient from the exact inputs, in about
// 106 bits and without a range.
Solution SolveAccurately(const QvInputs &inputs)
{
    if (inputs.Uinf == 0.0)
        throw ArithmeticFault{ FaultCause::DivisionByZero };
    const WideNetwork net(inputs);
    Solution accurate;
    accurate.discriminant = Finite(net.discriminant);
    accurate.hasSolution = net.hasPoints;
    if (!accurate.hasSolution)
        return accurate;
    const WideDouble beq = WideDouble(inputs.B) * 0.5 + inputs.Qcap;
    accurate.V2sup = Finite(Sqrt(net.yUpper));
    accurate.V2inf = Finite(Sqrt(net.yLower));
    accurate.Q2sup = Finite(net.Q - beq * net.yUpper);
    accurate.Q2inf = Finite(net.Q - beq * net.yLower);
    return accurate;
}

// A stated value is kept where it lies within 2^-51 (two to four units in
// the last place) of the accurate one, as the published values do;
// elsewhere its subtractions have cancelled.
bool Holds(double stated, double accurate)
{
    return std::abs(stated - accurate) <= 0x1p-51 * std::abs(accurate);
}

} // namespace

void SolveOperatingPoints(const QvInputs &inputs, QvResults &results)
{
    RunCheckedStep(RunStep::OperatingPoints, [&] {
        const Solution accurate = SolveAccurately(inputs);
        const Solution stated = SolveAsStated(inputs);
        results.Discriminant =
                Holds(stated.discriminant, accurate.discriminant) ? stated.discriminant : accurate.discriminant;
        results.HasSolution = accurate.hasSolution;
        if (!results.HasSolution)
            return;
        // Both points from one evaluation, so that V2sup >= V2inf holds.
        const bool keepStated = Holds(stated.V2sup, accurate.V2sup) && Holds(stated.Q2sup, accurate.Q2sup)
                && Holds(stated.V2inf, accurate.V2inf) && Holds(stated.Q2inf, accurate.Q2inf);
        const Solution &chosen = keepStated ? stated : accurate;
        results.V2sup = chosen.V2sup;
        results.Q2sup = chosen.Q2sup;
        results.V2inf = chosen.V2inf;
        results.Q2inf = chosen.Q2inf;
    });
}

} // namespace tarvilo
