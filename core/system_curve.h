#pragma once

#include "core/qv_types.h"

#include <vector>

namespace tarvilo {

// The system characteristic for the analysis windows, which draw it down to
// the operating points wherever they lie; "salida.txt" and the main chart
// keep the run's 300 points in steps of 0.05.
struct SystemCurve
{
    std::vector<double> q; // reactive power, from Q2crit downwards
    std::vector<double> vu; // upper-branch voltage at q[i]
    std::vector<double> vl; // lower-branch voltage at q[i]
};

// The run's sweep (steps of 0.05 from Q2crit) and, where the operating
// points lie lower, further on in equal steps until below both with a
// little room. The lower branch comes from the product of the roots,
// X^2 (Pcarga^2 + q^2), so that it keeps its digits far below the nose.
// Needs the results of the critical point and of the operating points.
SystemCurve SystemCurveReachingThePoints(const QvInputs &inputs, const QvResults &results);

} // namespace tarvilo
