#pragma once

#include "core/qv_types.h"

#include <QList>
#include <QPointF>

namespace tarvilo {

// What the chart marks besides the three curves, each a series of its own.
enum class Mark { UpperPoint, LowerPoint, Nose, MinimumVoltage, Margin, QvMargin };
inline constexpr Mark kMarks[] = { Mark::UpperPoint, Mark::LowerPoint, Mark::Nose, Mark::MinimumVoltage, Mark::Margin };
// Only the large chart draws this: the Q-V method's margin.
inline constexpr Mark kLargeChartMarks[] = { Mark::QvMargin };
inline constexpr int kMarkCount = 6;

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
    // With operating points, both branches of the system characteristic as
    // the large chart draws them: refined where they bend within the run's
    // steps of 0.05 (a long line's whole curve may lie within one) and swept
    // on down to the points, which lie on them.
    QList<QPointF> upperBranch;
    QList<QPointF> lowerBranch;
};

ChartMarks MarksOf(const QvResults &results);
// With what the inputs add: the Q-V method's margin and the drawn branches.
ChartMarks MarksOf(const QvInputs &inputs, const QvResults &results);

} // namespace tarvilo
