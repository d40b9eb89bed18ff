#include "core/system_curve.h"

#include <algorithm>
#include <cmath>

namespace tarvilo {
namespace {

void AddPoint(SystemCurve &curve, const QvInputs &inputs, double q)
{
    const double X = inputs.X;
    const double s = 2 * q * X - inputs.Uinf * inputs.Uinf;
    const double product = X * X * (inputs.Pcarga * inputs.Pcarga + q * q); // y_upper * y_lower
    const double root = std::sqrt(std::max(0.0, s * s - 4 * product));
    const double upper = (-s + root) / 2;
    if (!std::isfinite(upper) || !(upper > 0))
        return;
    curve.q.push_back(q);
    curve.vu.push_back(std::sqrt(upper));
    curve.vl.push_back(std::sqrt(product / upper));
}

} // namespace

SystemCurve SystemCurveReachingThePoints(const QvInputs &inputs, const QvResults &results)
{
    SystemCurve curve;
    const double top = results.Q2crit;
    double bottom = top - 0.05 * (kCurvePoints - 1);
    if (results.HasSolution) {
        const double lowest = std::min(results.Q2sup, results.Q2inf);
        if (lowest < bottom)
            bottom = lowest - 0.04 * (top - lowest);
    }
    if (!std::isfinite(top) || !std::isfinite(bottom))
        return curve;
    const int points = std::max(kCurvePoints, std::min(3000, static_cast<int>((top - bottom) / 0.05) + 1));
    for (int i = 0; i < points; ++i)
        AddPoint(curve, inputs, top - (top - bottom) * i / (points - 1));
    return curve;
}

} // namespace tarvilo
