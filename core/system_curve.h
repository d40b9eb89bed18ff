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

// The run's span (steps of 0.05 from Q2crit) and, where the operating
// points lie lower, further on in equal steps until below both with a
// little room; the operating points' own reactive powers among the steps,
// and more points where the curve bends, so that no chord strays from the
// curve by more than 1/4000 of its extent (a long line bends within one
// step of the nose). The lower branch comes from the product of the roots,
// X^2 (Pcarga^2 + q^2), so that it keeps its digits far below the nose.
// Needs the results of the critical point and of the operating points.
SystemCurve SystemCurveReachingThePoints(const QvInputs &inputs, const QvResults &results);

} // namespace tarvilo
