#pragma once

#include "core/qv_types.h"

namespace tarvilo {

// The two-bus model: bus 2 at voltage V takes Pcarga and a reactive power Q
// through the reactance X from a source at Uinf when
//     V^4 + (2 X Q - Uinf^2) V^2 + X^2 (Pcarga^2 + Q^2) = 0.
// Each step throws RunFault at the first arithmetic fault; values written
// before it stay.

// Sets Q2crit and V2crit (the nose of the system characteristic), V2min and
// the reactive margin MargenQ2.
void ComputeCriticalPoint(const QvInputs &inputs, QvResults &results);

// 300 points of the system characteristic, downwards from the nose in steps
// of 0.05: q2, vu, vl. Needs Q2crit.
void SweepSystemCharacteristic(const QvInputs &inputs, const QvResults &results, QvCurves &curves);

// 300 points of the load characteristic, downwards from 1.5 in steps of
// 0.005: v2, qcapr.
void SweepLoadCharacteristic(const QvInputs &inputs, QvCurves &curves);

} // namespace tarvilo
