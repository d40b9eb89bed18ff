#include "ui/chart/chart_marks.h"

#include "core/qv_method_margin.h"
#include "core/system_curve.h"

namespace tarvilo {

ChartMarks MarksOf(const QvResults &results)
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

ChartMarks MarksOf(const QvInputs &inputs, const QvResults &results)
{
    ChartMarks marks = MarksOf(results);
    const QvMethodMargin margin = ComputeQvMethodMargin(inputs);
    if (margin.kind == QvMethodMargin::Kind::Maximum) {
        const double v = margin.voltage;
        const double load = inputs.Qcarga - Beq(inputs) * v * v;
        marks.hasQvMargin = true;
        marks.qvMargin = margin.value;
        marks.qvMarginFrom = QPointF(load, v);
        marks.qvMarginTo = QPointF(load + margin.value, v);
    }
    if (results.HasSolution) {
        const SystemCurve curve = SystemCurveReachingThePoints(inputs, results);
        if (curve.q.size() >= 2) {
            for (size_t i = 0; i < curve.q.size(); ++i) {
                marks.upperBranch << QPointF(curve.q[i], curve.vu[i]);
                marks.lowerBranch << QPointF(curve.q[i], curve.vl[i]);
            }
        }
    }
    return marks;
}

} // namespace tarvilo
