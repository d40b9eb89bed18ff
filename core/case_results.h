#pragma once

#include "core/qv_types.h"
#include "core/run_fault.h"

#include <optional>

namespace tarvilo {

// What CalculateCase (core/single_case.h) gives but the curves: the same
// results and the same fault, bit for bit. Where the sweeps' outcome is
// known in advance (core/sweep_forecast.h) only the critical point and the
// operating points are computed; elsewhere the whole case is.
struct CaseResults
{
    QvResults results;
    std::optional<RunFault> fault; // where and why it stopped, if it did
};

CaseResults CalculateCaseResults(const QvInputs &inputs);

} // namespace tarvilo
