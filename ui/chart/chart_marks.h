#pragma once

#include "core/qv_types.h"

#include <QList>
#include <QPointF>

namespace tarvilo {

// What the chart marks besides the three curves, each a series of its own.
enum class Mark { UpperPoint, LowerPoint, Nose, MinimumVoltage, Margin, QvMargin, UpperReach, LowerReach };
inline constexpr Mark kMarks[] = { Mark::UpperPoint, Mark::LowerPoint, Mark::Nose, Mark::MinimumVoltage, Mark::Margin };
// Only the large chart draws these: the Q-V method's margin and both branches
// of the system characteristic swept on beyond the run's 300 points.
inline constexpr Mark kLargeChartMarks[] = { Mark::QvMargin, Mark::UpperReach, Mark::LowerReach };
inline constexpr int kMarkCount = 8;

// The run's answers as places on the chart: exactly the run's values.
struct ChartMarks
{
    bool hasSolution = false;
    QPointF upper; // (Q2sup, V2sup), with a solution only
    QPointF lower; // (Q2inf, V2inf)
    QPointF nose; // (Q2crit, V2crit)
    double minimumVoltage = 0; // V2min
    double margin = 0; // MargenQ2
    double marginFrom = 0; // where the margin starts: the load characteristic at V2crit
    // The Q-V method's margin: a segment at the voltage of the largest
    // distance, from the load characteristic to the system characteristic.
    bool hasQvMargin = false;
    double qvMargin = 0;
    QPointF qvMarginFrom;
    QPointF qvMarginTo;
    // The system characteristic below the run's sweep, down to the points.
    QList<QPointF> upperReach;
    QList<QPointF> lowerReach;
};

ChartMarks MarksOf(const QvResults &results);
// With what the inputs add: the Q-V method's margin and the reach.
ChartMarks MarksOf(const QvInputs &inputs, const QvResults &results);

} // namespace tarvilo
