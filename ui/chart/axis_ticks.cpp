#include "ui/chart/axis_ticks.h"

#include "ui/chart/qv_plot.h"

#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace tarvilo {
namespace {

// The decimals a multiple of the interval needs: 0 for 5, 1 for 2.5 or 0.5.
int DecimalsFor(double interval)
{
    for (int decimals = 0; decimals < 12; ++decimals) {
        const double scaled = interval * std::pow(10.0, decimals);
        if (std::abs(scaled - std::round(scaled)) < 1e-6 * scaled) return decimals;
    }
    return 12;
}

void SpaceTicks(QValueAxis* axis, double pixels, double pixelsPerTick)
{
    const int maxTicks = std::max(2, static_cast<int>(pixels / pixelsPerTick));
    const double interval = NiceTickInterval(axis->max() - axis->min(), maxTicks);
    const QString format = QStringLiteral("%.%1f").arg(DecimalsFor(interval));
    // Each setting lays the chart out anew, even when it does not change.
    if (axis->tickType() != QValueAxis::TicksDynamic) axis->setTickType(QValueAxis::TicksDynamic);
    if (axis->tickAnchor() != 0.0) axis->setTickAnchor(0.0);
    if (axis->tickInterval() != interval) axis->setTickInterval(interval);
    if (axis->labelFormat() != format) axis->setLabelFormat(format);
}

}  // namespace

double NiceTickInterval(double span, int maxTicks)
{
    if (!(span > 0) || !std::isfinite(span)) return 1.0;
    const double rough = span / std::max(1, maxTicks);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double step : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        if (step * power >= rough) return step * power;
    }
    return 10 * power;
}

AxisRanges FittedRanges(const QvPlot& plot)
{
    double left = INFINITY, right = -INFINITY, top = 0;
    const auto take = [&](const QPointF& point) {
        left = std::min(left, point.x());
        right = std::max(right, point.x());
        top = std::max(top, point.y());
    };
    const auto takeGrid = [&take](const ChartGrid& grid) {
        for (int row = 0; row < ChartGrid::kRows; ++row) {
            for (int column = 0; column < ChartGrid::kColumns; column += 2) {
                take(QPointF(grid.value(row, column), grid.value(row, column + 1)));
            }
        }
    };
    takeGrid(plot.grid());
    for (const KeptCurves& kept : plot.keptCases()) takeGrid(kept.grid);
    if (plot.hasMarks()) {
        const ChartMarks& marks = plot.marks();
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
        for (const QPointF& point : marks.upperReach + marks.lowerReach) take(point);
    }
    return RoundRangesAround(left, right, top);
}

AxisRanges RoundRangesAround(double left, double right, double top)
{
    const double room = std::max((right - left) * 0.04, 1e-9);
    left -= room;
    right += room;
    const double xStep = NiceTickInterval(right - left, 10);
    left = std::floor(left / xStep) * xStep;
    right = std::ceil(right / xStep) * xStep;
    const double yStep = NiceTickInterval(top * 1.04, 10);
    top = std::ceil(top * 1.04 / yStep) * yStep;
    return {left, right, 0.0, top};
}

void SpaceTicksForSize(QvPlot& plot) { SpaceTicksForSize(plot, plot.axisX(), plot.axisY()); }

void SpaceTicksForSize(const QChart& chart, QValueAxis* axisX, QValueAxis* axisY)
{
    const QRectF area = chart.plotArea();
    SpaceTicks(axisX, area.width(), 70);
    SpaceTicks(axisY, area.height(), 40);
}

AxisRanges RangesOf(const QvPlot& plot)
{
    return {plot.axisX()->min(), plot.axisX()->max(), plot.axisY()->min(), plot.axisY()->max()};
}

void ShowRanges(QvPlot& plot, const AxisRanges& ranges)
{
    plot.axisX()->setRange(ranges.xMin, ranges.xMax);
    plot.axisY()->setRange(ranges.yMin, ranges.yMax);
}

}  // namespace tarvilo
