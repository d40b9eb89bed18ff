#include "core/pv_curve.h"

#include "core/checked.h"
#include "core/operating_points.h"

#include <cmath>

namespace tarvilo {
namespace {

struct PvCoefficients {
    double a = 0;      // 1 - X Beq
    double alpha = 0;  // k1 = alpha P - 1
    double beta = 0;   // 4 k2 k0 = beta P^2
};

PvCoefficients CoefficientsOf(const QvInputs& inputs)
{
    PvCoefficients c;
    RunCheckedStep(RunStep::OperatingPoints, [&] {
        const Checked X = inputs.X;
        const Checked uinf2 = Sq(Checked(inputs.Uinf));
        const Checked t = Checked(inputs.Qcarga) / inputs.Pcarga;
        const Checked a = 1 - X * Checked::finite(Beq(inputs));
        c.a = a.value();
        c.alpha = (2 * X * t * a / uinf2).value();
        c.beta = (4 * Sq(a) * Sq(X) * (1 + Sq(t)) / Sq(uinf2)).value();
    });
    return c;
}

}  // namespace

double MaximumLoadability(const QvInputs& inputs)
{
    const PvCoefficients c = CoefficientsOf(inputs);
    return 1.0 / (c.alpha + std::sqrt(c.beta));
}

std::variant<PvCurve, PvObstacle> TracePvCurve(const QvInputs& inputs, int points)
{
    if (!(inputs.Pcarga > 0)) return PvObstacle::NoLoad;
    if (!(inputs.X > 0) || inputs.Uinf == 0) return PvObstacle::NoLine;
    if (inputs.X * Beq(inputs) >= 1) return PvObstacle::NoNose;

    PvCurve curve;
    curve.Pmax = MaximumLoadability(inputs);
    const double t = inputs.Qcarga / inputs.Pcarga;
    QvInputs load = inputs;
    QvResults results;
    for (int i = 0; i + 1 < points; ++i) {
        const double p = curve.Pmax * i / (points - 1);
        load.Pcarga = p;
        load.Qcarga = t * p;
        SolveOperatingPoints(load, results);
        if (!results.HasSolution) break;  // only rounding, a hair short of the nose
        curve.p.push_back(p);
        curve.vUpper.push_back(results.V2sup);
        curve.vLower.push_back(results.V2inf);
    }
    // The nose: the double root -k1 / (2 k2) = (1 - alpha Pmax) Uinf^2 / (2 a^2).
    const PvCoefficients c = CoefficientsOf(inputs);
    const double nose = std::sqrt((1 - c.alpha * curve.Pmax) * (inputs.Uinf * inputs.Uinf) / (2 * c.a * c.a));
    curve.p.push_back(curve.Pmax);
    curve.vUpper.push_back(nose);
    curve.vLower.push_back(nose);
    return curve;
}

}  // namespace tarvilo
