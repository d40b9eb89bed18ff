#include "core/case_results.h"

#include "core/operating_points.h"
#include "core/qv_model.h"
#include "core/single_case.h"
#include "core/sweep_forecast.h"

namespace tarvilo {

CaseResults CalculateCaseResults(const QvInputs &inputs)
{
    CaseResults outcome;
    try {
        ComputeCriticalPoint(inputs, outcome.results);
        switch (ForecastSweeps(inputs, outcome.results)) {
        case SweepForecast::Completes:
            SolveOperatingPoints(inputs, outcome.results);
            break;
        case SweepForecast::FailsAtSecondPoint:
            outcome.fault = RunFault(RunStep::SystemSweep, FaultCause::NegativeSquareRoot);
            break;
        case SweepForecast::Unknown: {
            CaseOutcome whole = CalculateCase(inputs);
            outcome.results = whole.results;
            outcome.fault = std::move(whole.fault);
            break;
        }
        }
    } catch (const RunFault &fault) {
        outcome.fault = fault;
    }
    return outcome;
}

} // namespace tarvilo
