#pragma once

#include "ui/chart/axis_ticks.h"

#include <QList>
#include <QPointF>

namespace tarvilo {

// How far beyond the axes a curve is still drawn as it is: this many spans
// of each axis on either side.
inline constexpr double kReachSpans = 1000;

AxisRanges ReachAround(const AxisRanges &shown);

// A curve cut where it leaves the reach, drawn on between its pieces along
// the reach's edge, far outside the axes. The chart draws a curve that
// runs millions of pixels off the plot not at all (it keeps the one it
// drew before); what lies within the reach, and so all that can be seen,
// is the same line. Points that are not numbers are left out.
QList<QPointF> WithinReach(const QList<QPointF> &points, const AxisRanges &reach);

} // namespace tarvilo
