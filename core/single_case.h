#pragma once

#include "core/qv_types.h"
#include "core/run_fault.h"

#include <optional>

namespace tarvilo {

// One case through the computing steps of a run, without its host: the
// critical point, both sweeps and the operating points.
struct CaseOutcome
{
    QvResults results;
    QvCurves curves;
    std::optional<RunFault> fault; // where and why it stopped, if it did
};

CaseOutcome CalculateCase(const QvInputs &inputs);

} // namespace tarvilo
