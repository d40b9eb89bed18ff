#include "core/system_curve.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <vector>

namespace tarvilo {
namespace {

// Far more than the sweep and its refinement need for any case on a chart.
constexpr int kMostSteps = 3000;
constexpr size_t kMostPoints = 12000;
constexpr int kDeepestHalving = 24;
// A chord may stray from the curve by this part of the curve's extent: a
// pixel of a chart 4,000 pixels wide or tall.
constexpr double kStray = 1.0 / 4000;

struct CurvePoint
{
    double q = 0;
    double vu = 0;
    double vl = 0;
};

std::optional<CurvePoint> PointAt(const QvInputs &inputs, double q)
{
    const double X = inputs.X;
    const double u2 = inputs.Uinf * inputs.Uinf;
    const double xp = X * inputs.Pcarga;
    // (2 q X - Uinf^2)^2 - 4 X^2 (Pcarga^2 + q^2) with its q^2 terms taken
    // out: they cancel, and far below the nose they are most of it.
    const double discriminant = u2 * (u2 - 4 * q * X) - 4 * xp * xp;
    const double product = X * X * (inputs.Pcarga * inputs.Pcarga + q * q); // y_upper * y_lower
    const double upper = ((u2 - 2 * q * X) + std::sqrt(std::max(0.0, discriminant))) / 2;
    if (!std::isfinite(upper) || !(upper > 0) || !std::isfinite(product))
        return std::nullopt;
    return CurvePoint{ q, std::sqrt(upper), std::sqrt(product / upper) };
}

// The curve between its points a and b, halved where the chord strays from
// it. Halving runs in the root of the distance from the nose, along which
// the curve is smooth even at the nose, where it turns on itself in q.
class Refinement
{
public:
    Refinement(const QvInputs &inputs, double nose, double qExtent, double vExtent, SystemCurve &curve)
        : m_inputs(inputs), m_nose(nose), m_qExtent(qExtent), m_vExtent(vExtent), m_curve(curve)
    {
    }

    void add(const CurvePoint &point)
    {
        m_curve.q.push_back(point.q);
        m_curve.vu.push_back(point.vu);
        m_curve.vl.push_back(point.vl);
    }

    void between(const CurvePoint &a, const CurvePoint &b, int depth = 0)
    {
        if (depth == kDeepestHalving || m_curve.q.size() >= kMostPoints)
            return;
        const double middle = (RootDistance(a.q) + RootDistance(b.q)) / 2;
        const std::optional<CurvePoint> m = PointAt(m_inputs, m_nose - middle * middle);
        if (!m || !(m->q < a.q && m->q > b.q))
            return;
        if (stray(a.q, a.vu, m->q, m->vu, b.q, b.vu) <= kStray && stray(a.q, a.vl, m->q, m->vl, b.q, b.vl) <= kStray)
            return;
        between(a, *m, depth + 1);
        add(*m);
        between(*m, b, depth + 1);
    }

private:
    double RootDistance(double q) const { return std::sqrt(std::max(0.0, m_nose - q)); }

    // How far (qm, vm) lies from the chord of (qa, va) and (qb, vb), in parts of the extents.
    double stray(double qa, double va, double qm, double vm, double qb, double vb) const
    {
        const double dq = (qb - qa) / m_qExtent, dv = (vb - va) / m_vExtent;
        const double mq = (qm - qa) / m_qExtent, mv = (vm - va) / m_vExtent;
        const double length = std::hypot(dq, dv);
        return length > 0 ? std::abs(dq * mv - dv * mq) / length : std::hypot(mq, mv);
    }

    const QvInputs &m_inputs;
    double m_nose;
    double m_qExtent;
    double m_vExtent;
    SystemCurve &m_curve;
};

} // namespace

SystemCurve SystemCurveReachingThePoints(const QvInputs &inputs, const QvResults &results)
{
    SystemCurve curve;
    const double top = results.Q2crit;
    double bottom = top - 0.05 * (kCurvePoints - 1);
    std::vector<double> marked;
    if (results.HasSolution) {
        const double lowest = std::min(results.Q2sup, results.Q2inf);
        if (lowest < bottom)
            bottom = lowest - 0.04 * (top - lowest);
        marked = { results.Q2sup, results.Q2inf };
    }
    if (!std::isfinite(top) || !std::isfinite(bottom))
        return curve;
    // Bounded before the conversion: the span may be beyond any int of steps.
    const double steps = std::clamp((top - bottom) / 0.05, double(kCurvePoints - 1), double(kMostSteps - 1));
    const int points = static_cast<int>(steps) + 1;

    // The equal steps, with the operating points among them, so that the
    // drawn curve passes through its marks.
    std::vector<double> qs;
    qs.reserve(static_cast<size_t>(points) + marked.size());
    for (int i = 0; i < points; ++i)
        qs.push_back(top - (top - bottom) * i / (points - 1));
    for (const double q : marked) {
        if (q < top && q > bottom)
            qs.push_back(q);
    }
    std::sort(qs.begin(), qs.end(), std::greater<>());
    qs.erase(std::unique(qs.begin(), qs.end()), qs.end());

    std::vector<CurvePoint> sweep;
    double vExtent = 0;
    for (const double q : qs) {
        if (const std::optional<CurvePoint> point = PointAt(inputs, q)) {
            sweep.push_back(*point);
            vExtent = std::max(vExtent, point->vu);
        }
    }
    if (sweep.empty())
        return curve;
    Refinement refinement(inputs, top, top - bottom, vExtent, curve);
    refinement.add(sweep.front());
    for (size_t i = 1; i < sweep.size(); ++i) {
        refinement.between(sweep[i - 1], sweep[i]);
        refinement.add(sweep[i]);
    }
    return curve;
}

} // namespace tarvilo
