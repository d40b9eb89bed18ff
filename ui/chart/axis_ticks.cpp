#include "ui/chart/axis_ticks.h"

#include "ui/chart/qv_chart.h"
#include "ui/chart/tick_labels.h"

#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace tarvilo {

AxisRanges FittedRanges(const QvChart &plot)
{
    return FittedRanges(plot.grid(), plot.keptCases(), plot.hasMarks() ? &plot.marks() : nullptr);
}

AxisRanges FittedRanges(const ChartGrid &grid, const std::vector<KeptCurves> &keptCases, const ChartMarks *shownMarks)
{
    double left = INFINITY, right = -INFINITY, top = 0;
    const auto take = [&](const QPointF &point) {
        left = std::min(left, point.x());
        right = std::max(right, point.x());
        top = std::max(top, point.y());
    };
    const auto takeGrid = [&take](const ChartGrid &grid) {
        for (int row = 0; row < ChartGrid::kRows; ++row) {
            for (int column = 0; column < ChartGrid::kColumns; column += 2) {
                take(QPointF(grid.value(row, column), grid.value(row, column + 1)));
            }
        }
    };
    takeGrid(grid);
    for (const KeptCurves &kept : keptCases)
        takeGrid(kept.grid);
    if (shownMarks) {
        const ChartMarks &marks = *shownMarks;
        take(marks.nose);
        take(QPointF(marks.marginFrom, marks.nose.y()));
        if (marks.hasSolution) {
            take(marks.upper);
            take(marks.lower);
        }
        if (marks.hasQvMargin) {
            take(marks.qvMarginFrom);
            take(marks.qvMarginTo);
        }
        for (const QPointF &point : marks.upperBranch + marks.lowerBranch)
            take(point);
    }
    return RoundRangesAround(left, right, top);
}

AxisRanges RoundRangesAround(double left, double right, double top)
{
    // Some room even around a single value, at any size of the values.
    const double room = std::max({ (right - left) * 0.04, std::max(std::abs(left), std::abs(right)) * 1e-9, 1e-9 });
    left -= room;
    right += room;
    const double xStep = NiceTickInterval(right - left, 10);
    left = std::floor(left / xStep) * xStep;
    right = std::ceil(right / xStep) * xStep;
    if (!(top > 0))
        top = 1;
    const double yStep = NiceTickInterval(top * 1.04, 10);
    top = std::ceil(top * 1.04 / yStep) * yStep;
    return { left, right, 0.0, top };
}

AxisRanges RangesOf(const QvChart &plot)
{
    return { plot.axisX()->min(), plot.axisX()->max(), plot.axisY()->min(), plot.axisY()->max() };
}

void ShowRanges(QvChart &plot, const AxisRanges &ranges)
{
    plot.axisX()->setRange(ranges.xMin, ranges.xMax);
    plot.axisY()->setRange(ranges.yMin, ranges.yMax);
}

} // namespace tarvilo
