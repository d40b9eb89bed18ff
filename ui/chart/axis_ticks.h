#pragma once

#include <vector>

namespace tarvilo {

class ChartGrid;
class QvChart;
struct ChartMarks;
struct KeptCurves;

// What a plot shows: reactive power from xMin to xMax, voltage from yMin to yMax.
struct AxisRanges
{
    double xMin = 0;
    double xMax = 1;
    double yMin = 0;
    double yMax = 1;

    bool operator==(const AxisRanges &) const = default;
};

// Ranges on round values with a little room around points spanning q from
// left to right and v up to top; the voltage from 0.
AxisRanges RoundRangesAround(double left, double right, double top);

// The ranges that show all curves of the plot (those of kept cases too) and
// its marks, with a little room, on round values; the voltage from 0.
AxisRanges FittedRanges(const QvChart &plot);
// The same of curves, kept cases and marks (null for none).
AxisRanges FittedRanges(const ChartGrid &grid, const std::vector<KeptCurves> &keptCases, const ChartMarks *marks);

AxisRanges RangesOf(const QvChart &plot);
void ShowRanges(QvChart &plot, const AxisRanges &ranges);

} // namespace tarvilo
