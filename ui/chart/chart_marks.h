#pragma once

#include "core/qv_types.h"

#include <QPointF>

namespace tarvilo {

// What the chart marks besides the three curves, each a series of its own.
enum class Mark { UpperPoint, LowerPoint, Nose, MinimumVoltage, Margin };
inline constexpr Mark kMarks[] = {Mark::UpperPoint, Mark::LowerPoint, Mark::Nose, Mark::MinimumVoltage, Mark::Margin};

// The run's answers as places on the chart: exactly the run's values.
struct ChartMarks {
    bool hasSolution = false;
    QPointF upper;             // (Q2sup, V2sup), with a solution only
    QPointF lower;             // (Q2inf, V2inf)
    QPointF nose;              // (Q2crit, V2crit)
    double minimumVoltage = 0; // V2min
    double margin = 0;         // MargenQ2
    double marginFrom = 0;     // where the margin starts: the load characteristic at V2crit
};

ChartMarks MarksOf(const QvResults& results);

}  // namespace tarvilo
