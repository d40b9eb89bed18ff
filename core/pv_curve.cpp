#include "core/pv_curve.h"

#include "core/compensation.h"
#include "core/run_fault.h"

#include <cmath>

namespace tarvilo {
namespace {

double Finite(double value)
{
    if (!std::isfinite(value))
        throw RunFault(RunStep::OperatingPoints, FaultCause::Overflow);
    return value;
}

// The load grown along its power factor: P = |Pcarga| s, Q = t P. Every
// quantity below is a sum or a product of positive terms, so none cancels.
struct PvModel
{
    double u2 = 0; // Uinf^2
    double X = 0;
    double a = 0; // 1 - X Beq, not zero
    double t = 0; // Qcarga per unit of |Pcarga|
    double h = 0; // sqrt(1 + t^2)
    double m = 0; // |a| h - t a, never negative
    double pmax = 0;

    explicit PvModel(const QvInputs &inputs)
        : u2(Finite(inputs.Uinf * inputs.Uinf)),
          X(inputs.X),
          a(UncompensatedFraction(inputs)),
          t(Finite(inputs.Pcarga < 0 ? -inputs.Qcarga / inputs.Pcarga : inputs.Qcarga / inputs.Pcarga)),
          h(std::hypot(1.0, t))
    {
        const double absA = std::abs(a);
        const double ta = t * a;
        // (h + s)(h - s) = 1 for s = t sign(a): the sum of the two is taken.
        const double s = a > 0 ? t : -t;
        pmax = s >= 0 ? u2 / (2 * X * absA * (h + s)) : u2 * (h - s) / (2 * X * absA);
        m = ta <= 0 ? absA * h - ta : absA / (h + std::abs(t));
        Finite(pmax);
        Finite(m);
    }

    // The roots y = V^2 at P = pmax (1 - f). Their discriminant factors into
    // Uinf^2 f (Uinf^2 + 2 X P m); the lower root comes from the product of
    // the roots, X^2 P^2 h^2 / a^2, so neither root divides a difference.
    PvVoltages at(double p, double f) const
    {
        const double sum = (u2 - 2 * X * p * (t * a)) + std::sqrt(u2 * f) * std::sqrt(u2 + 2 * X * p * m);
        const double xph = X * p * h;
        PvVoltages v;
        v.upper = std::sqrt(Finite(sum / (2 * a * a)));
        v.lower = std::sqrt(Finite(2 * (xph * xph) / sum));
        return v;
    }

    // At the nose the double root is X Pmax h / |a|.
    double noseVoltage() const { return std::sqrt(Finite(X * pmax * h / std::abs(a))); }
};

} // namespace

std::optional<PvObstacle> PvObstacleOf(const QvInputs &inputs)
{
    if (!(inputs.X > 0) || inputs.Uinf == 0)
        return PvObstacle::NoLine;
    if (inputs.Pcarga == 0)
        return PvObstacle::NoLoad;
    if (UncompensatedFraction(inputs) == 0)
        return PvObstacle::NoNose;
    return std::nullopt;
}

double MaximumLoadability(const QvInputs &inputs)
{
    return PvModel(inputs).pmax;
}

std::optional<PvVoltages> PvOperatingVoltages(const QvInputs &inputs)
{
    const PvModel model(inputs);
    const double p = std::abs(inputs.Pcarga);
    if (p > model.pmax)
        return std::nullopt;
    if (p == model.pmax)
        return PvVoltages{ model.noseVoltage(), model.noseVoltage() };
    return model.at(p, 1 - p / model.pmax);
}

std::variant<PvCurve, PvObstacle> TracePvCurve(const QvInputs &inputs, int points)
{
    if (const auto obstacle = PvObstacleOf(inputs))
        return *obstacle;

    const PvModel model(inputs);
    PvCurve curve;
    curve.Pmax = model.pmax;
    curve.vNose = model.noseVoltage();
    curve.exporting = inputs.Pcarga < 0;
    const int last = points - 1;
    for (int i = 0; i < last; ++i) {
        const double p = model.pmax * i / last;
        const PvVoltages v = model.at(p, double(last - i) / last);
        curve.p.push_back(p);
        curve.vUpper.push_back(v.upper);
        curve.vLower.push_back(v.lower);
    }
    curve.p.push_back(curve.Pmax);
    curve.vUpper.push_back(curve.vNose);
    curve.vLower.push_back(curve.vNose);
    return curve;
}

std::variant<PvNose, PvObstacle> TracePvNose(const QvInputs &inputs)
{
    if (const auto obstacle = PvObstacleOf(inputs))
        return *obstacle;
    const PvModel model(inputs);
    return PvNose{ model.pmax, model.noseVoltage() };
}

double UncompensatedLineVoltage(const QvInputs &inputs)
{
    return Finite(inputs.X * std::hypot(inputs.Pcarga, inputs.Qcarga) / std::abs(inputs.Uinf));
}

} // namespace tarvilo
