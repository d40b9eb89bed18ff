#include "ui/chart/chart_marks.h"

namespace tarvilo {

ChartMarks MarksOf(const QvInputs& inputs, const QvResults& results)
{
    ChartMarks marks;
    marks.hasSolution = results.HasSolution;
    if (results.HasSolution) {
        marks.upper = QPointF(results.Q2sup, results.V2sup);
        marks.lower = QPointF(results.Q2inf, results.V2inf);
    }
    marks.nose = QPointF(results.Q2crit, results.V2crit);
    marks.minimumVoltage = results.V2min;
    // Evaluated as the margin is: Qcarga - Beq V2crit^2.
    marks.marginFrom = inputs.Qcarga - Beq(inputs) * (results.V2crit * results.V2crit);
    return marks;
}

}  // namespace tarvilo
