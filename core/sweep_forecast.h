#pragma once

#include "core/qv_types.h"

namespace tarvilo {

// How the two curve sweeps of a run (core/qv_model.h) will end, told from the
// critical point without running them, where rounding cannot decide it:
//
// - the system sweep's discriminant at q = Q2crit - 0.05 k is exactly
//   Uinf^4 - 4 X Uinf^2 q - 4 X^2 Pcarga^2 = 0.2 k X Uinf^2 plus what the
//   roundings of Q2crit, of the k subtractions and of the point's own
//   products add, which is a few units in the last place of its largest
//   terms. Where 0.2 X Uinf^2 outweighs 2^-40 times those terms, its sign
//   is that of X at every point from the second on;
// - its first point, the square roots of the upper and the lower branch
//   (sqrt(fl(s^2)) never exceeds |s|) and, within 2^100, every product and
//   the load sweep stay in range.
//
// So a positive X completes both sweeps and a negative one fails at the
// second point of the system sweep with the square root of a negative
// number. Elsewhere (a tiny X, a huge Q2crit, values near the ends of the
// range) only the sweeps themselves can tell. A change to the sweeps'
// formulas must be checked against this (tests/core/case_results_test.cpp
// compares both over random and edge cases).
enum class SweepForecast {
    Completes,
    FailsAtSecondPoint, // RunFault at SystemSweep: NegativeSquareRoot
    Unknown,
};

// Needs the critical point of the same inputs (ComputeCriticalPoint).
SweepForecast ForecastSweeps(const QvInputs &inputs, const QvResults &critical);

} // namespace tarvilo
