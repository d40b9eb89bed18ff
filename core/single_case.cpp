#include "core/single_case.h"

#include "core/operating_points.h"
#include "core/qv_model.h"

namespace tarvilo {

CaseOutcome CalculateCase(const QvInputs &inputs)
{
    CaseOutcome outcome;
    try {
        ComputeCriticalPoint(inputs, outcome.results);
        SweepSystemCharacteristic(inputs, outcome.results, outcome.curves);
        SweepLoadCharacteristic(inputs, outcome.curves);
        SolveOperatingPoints(inputs, outcome.results);
    } catch (const RunFault &fault) {
        outcome.fault = fault;
    }
    return outcome;
}

} // namespace tarvilo
