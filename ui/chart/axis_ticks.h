#pragma once

class QChart;
class QValueAxis;

namespace tarvilo {

class QvPlot;

// What a plot shows: reactive power from xMin to xMax, voltage from yMin to yMax.
struct AxisRanges {
    double xMin = 0;
    double xMax = 1;
    double yMin = 0;
    double yMax = 1;

    bool operator==(const AxisRanges&) const = default;
};

// A tick spacing of 1, 2, 2.5 or 5 times a power of ten giving at most
// maxTicks divisions over span.
double NiceTickInterval(double span, int maxTicks);

// Ranges on round values with a little room around points spanning q from
// left to right and v up to top; the voltage from 0.
AxisRanges RoundRangesAround(double left, double right, double top);

// The ranges that show all curves of the plot (those of kept cases too) and
// its marks, with a little room, on round values; the voltage from 0.
AxisRanges FittedRanges(const QvPlot& plot);

// Ticks on round values that stay readable at the plot's present size, for
// any range: at most one tick label every 70 pixels across, 40 down.
void SpaceTicksForSize(QvPlot& plot);
void SpaceTicksForSize(const QChart& chart, QValueAxis* axisX, QValueAxis* axisY);

AxisRanges RangesOf(const QvPlot& plot);
void ShowRanges(QvPlot& plot, const AxisRanges& ranges);

}  // namespace tarvilo
