#include "ui/chart/zoom_bounds.h"

#include <algorithm>
#include <cmath>

namespace tarvilo {
namespace {

constexpr double kWidest = 4.0;
constexpr double kBeyond = 1.5;
// Six significant digits of room below the 15 the labels can show.
constexpr double kNarrowest = 1e-9;

void Bound(double &min, double &max, double fittedMin, double fittedMax, bool keepBottom)
{
    const double fittedSpan = fittedMax > fittedMin ? fittedMax - fittedMin : 1.0;
    const double lowest = keepBottom ? fittedMin : fittedMin - kBeyond * fittedSpan;
    const double highest = keepBottom ? fittedMax + 2 * kBeyond * fittedSpan : fittedMax + kBeyond * fittedSpan;
    double centre = (min + max) / 2;
    double span = max - min;
    const double narrowest = kNarrowest * std::max({ std::abs(lowest), std::abs(highest), fittedSpan });
    if (min >= lowest && max <= highest && span >= narrowest && span <= kWidest * fittedSpan)
        return;
    if (!std::isfinite(centre))
        centre = (fittedMin + fittedMax) / 2;
    centre = std::clamp(centre, lowest, highest);
    if (!std::isfinite(span) || !(span >= narrowest))
        span = narrowest;
    span = std::min(span, kWidest * fittedSpan);
    min = centre - span / 2;
    max = centre + span / 2;
    if (min < lowest) {
        min = lowest;
        max = lowest + span;
    }
    if (max > highest) {
        max = highest;
        min = highest - span;
    }
}

} // namespace

AxisRanges BoundedZoom(const AxisRanges &asked, const AxisRanges &fitted)
{
    AxisRanges bounded = asked;
    Bound(bounded.xMin, bounded.xMax, fitted.xMin, fitted.xMax, false);
    Bound(bounded.yMin, bounded.yMax, fitted.yMin, fitted.yMax, true);
    return bounded;
}

} // namespace tarvilo
