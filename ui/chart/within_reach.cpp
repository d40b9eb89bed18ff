#include "ui/chart/within_reach.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>

namespace tarvilo {
namespace {

bool Inside(const QPointF &point, const AxisRanges &reach)
{
    return point.x() >= reach.xMin && point.x() <= reach.xMax && point.y() >= reach.yMin && point.y() <= reach.yMax;
}

bool Finite(const QPointF &point)
{
    return std::isfinite(point.x()) && std::isfinite(point.y());
}

// Where the line from a to b enters the reach and leaves it, as fractions
// of the way (the Liang-Barsky cut), or nothing if it misses. Worked in
// halves: the span of two values near the largest double is not finite.
std::optional<std::pair<double, double>> CutFractions(const QPointF &a, const QPointF &b, const AxisRanges &reach)
{
    const double ax = a.x() / 2, ay = a.y() / 2;
    const double dx = b.x() / 2 - ax, dy = b.y() / 2 - ay;
    double enter = 0, leave = 1;
    const std::array<std::pair<double, double>, 4> sides = { {
            { -dx, ax - reach.xMin / 2 },
            { dx, reach.xMax / 2 - ax },
            { -dy, ay - reach.yMin / 2 },
            { dy, reach.yMax / 2 - ay },
    } };
    for (const auto &[p, q] : sides) {
        if (p == 0) {
            if (q < 0)
                return std::nullopt;
            continue;
        }
        const double t = q / p;
        if (p < 0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
    }
    if (enter > leave)
        return std::nullopt;
    return std::pair(enter, leave);
}

QPointF PointAt(const QPointF &from, const QPointF &to, double fraction, const AxisRanges &reach)
{
    if (fraction == 0)
        return from;
    const QPointF point(2 * (from.x() / 2 + fraction * (to.x() / 2 - from.x() / 2)),
                        2 * (from.y() / 2 + fraction * (to.y() / 2 - from.y() / 2)));
    return QPointF(std::clamp(point.x(), reach.xMin, reach.xMax), std::clamp(point.y(), reach.yMin, reach.yMax));
}

// The part of the segment from a to b within the reach, if any. A far end
// would round a fraction of the way near 1 to 1: each cut point is found
// from the end it lies nearer to.
std::optional<std::pair<QPointF, QPointF>> CutSegment(const QPointF &a, const QPointF &b, const AxisRanges &reach)
{
    const auto forward = CutFractions(a, b, reach);
    const auto backward = CutFractions(b, a, reach);
    if (!forward || !backward)
        return std::nullopt;
    const QPointF enters =
            forward->first <= 0.5 ? PointAt(a, b, forward->first, reach) : PointAt(b, a, backward->second, reach);
    const QPointF leaves =
            forward->second >= 0.5 ? PointAt(b, a, backward->first, reach) : PointAt(a, b, forward->second, reach);
    return std::pair(enters, leaves);
}

// A point on the reach's edge as its distance along the edge,
// anticlockwise from the bottom left corner. A cut lands on its edge only
// to rounding: the nearest edge is its own.
double AlongEdge(const QPointF &point, const AxisRanges &reach)
{
    const double width = reach.xMax - reach.xMin, height = reach.yMax - reach.yMin;
    const std::array<std::pair<double, double>, 4> edges = { {
            { point.y() - reach.yMin, point.x() - reach.xMin },
            { reach.xMax - point.x(), width + point.y() - reach.yMin },
            { reach.yMax - point.y(), width + height + reach.xMax - point.x() },
            { point.x() - reach.xMin, 2 * width + height + reach.yMax - point.y() },
    } };
    return std::min_element(edges.begin(), edges.end(), [](const auto &a, const auto &b) { return a.first < b.first; })
            ->second;
}

// From one piece's end to the next piece's start by the corners between,
// so that the join stays on the edge and never crosses the axes.
void JoinAlongEdge(QList<QPointF> &drawn, const QPointF &from, const QPointF &to, const AxisRanges &reach)
{
    const double width = reach.xMax - reach.xMin, height = reach.yMax - reach.yMin;
    const double perimeter = 2 * (width + height);
    const std::array<std::pair<double, QPointF>, 4> corners = { {
            { width, QPointF(reach.xMax, reach.yMin) },
            { width + height, QPointF(reach.xMax, reach.yMax) },
            { 2 * width + height, QPointF(reach.xMin, reach.yMax) },
            { perimeter, QPointF(reach.xMin, reach.yMin) },
    } };
    const double start = AlongEdge(from, reach);
    double end = AlongEdge(to, reach);
    if (end < start)
        end += perimeter;
    for (int lap = 0; lap < 2; ++lap) {
        for (const auto &[place, corner] : corners) {
            const double at = place + lap * perimeter;
            if (at > start && at < end)
                drawn << corner;
        }
    }
    drawn << to;
}

} // namespace

AxisRanges ReachAround(const AxisRanges &shown)
{
    const double width = shown.xMax - shown.xMin, height = shown.yMax - shown.yMin;
    return { shown.xMin - kReachSpans * width, shown.xMax + kReachSpans * width, shown.yMin - kReachSpans * height,
             shown.yMax + kReachSpans * height };
}

QList<QPointF> WithinReach(const QList<QPointF> &points, const AxisRanges &reach)
{
    if (std::all_of(points.begin(), points.end(), [&](const QPointF &point) { return Inside(point, reach); }))
        return points;
    QList<QPointF> drawn;
    std::optional<QPointF> pieceEnd; // where the last piece left the reach
    bool inPiece = false;
    for (qsizetype i = 0; i < points.size(); ++i) {
        const QPointF &point = points[i];
        if (!Finite(point)) {
            inPiece = false;
            continue;
        }
        if (points.size() == 1 || (i == 0 && Inside(point, reach))) {
            if (Inside(point, reach))
                drawn << point;
            inPiece = Inside(point, reach);
            continue;
        }
        if (i == 0 || !Finite(points[i - 1]))
            continue;
        const auto cut = CutSegment(points[i - 1], point, reach);
        if (!cut)
            continue;
        if (!inPiece) {
            if (drawn.isEmpty())
                drawn << cut->first;
            else if (pieceEnd)
                JoinAlongEdge(drawn, *pieceEnd, cut->first, reach);
            else
                drawn << cut->first;
        }
        drawn << cut->second;
        inPiece = cut->second == point && Inside(point, reach);
        pieceEnd = inPiece ? std::nullopt : std::optional<QPointF>(cut->second);
    }
    return drawn;
}

} // namespace tarvilo
