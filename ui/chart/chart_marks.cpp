#include "ui/chart/chart_marks.h"

namespace tarvilo {

ChartMarks MarksOf(const QvResults& results)
{
    ChartMarks marks;
    marks.hasSolution = results.HasSolution;
    if (results.HasSolution) {
        marks.upper = QPointF(results.Q2sup, results.V2sup);
        marks.lower = QPointF(results.Q2inf, results.V2inf);
    }
    marks.nose = QPointF(results.Q2crit, results.V2crit);
    marks.minimumVoltage = results.V2min;
    marks.margin = results.MargenQ2;
    marks.marginFrom = results.Q2crit - results.MargenQ2;
    return marks;
}

}  // namespace tarvilo
