#pragma once

#include "core/qv_model.h"
#include "core/qv_types.h"

namespace tarvilo::testing {

// An input set, in box order.
inline QvInputs Inputs(double x, double b, double uinf, double pcarga, double qcarga, double qcap)
{
    QvInputs inputs;
    inputs.X = x;
    inputs.B = b;
    inputs.Uinf = uinf;
    inputs.Pcarga = pcarga;
    inputs.Qcarga = qcarga;
    inputs.Qcap = qcap;
    return inputs;
}

// The program's default case: X 0.03, B 3.33, Uinf 1, Pcarga 10.48.
inline QvInputs DefaultCase()
{
    return Inputs(0.03, 3.33, 1.00, 10.48, 0.0, 0.0);
}

// Both characteristics of an input set, as a run computes them.
inline QvCurves CurvesOf(const QvInputs &inputs)
{
    QvResults results;
    QvCurves curves;
    ComputeCriticalPoint(inputs, results);
    SweepSystemCharacteristic(inputs, results, curves);
    SweepLoadCharacteristic(inputs, curves);
    return curves;
}

inline QvCurves DefaultCurves()
{
    return CurvesOf(DefaultCase());
}

} // namespace tarvilo::testing
