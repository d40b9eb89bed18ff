#pragma once

#include "core/qv_types.h"
#include "core/run_fault.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

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
inline QvInputs DefaultCase() { return Inputs(0.03, 3.33, 1.00, 10.48, 0.0, 0.0); }

// Runs body, which must end with a RunFault at the given step whose
// description holds every one of the fragments.
template <typename Body>
void ExpectFault(Body&& body, RunStep step, std::initializer_list<const char*> fragments = {})
{
    try {
        body();
        ADD_FAILURE() << "no fault";
    } catch (const RunFault& fault) {
        EXPECT_EQ(fault.step(), step);
        for (const char* fragment : fragments) {
            EXPECT_NE(fault.description().find(fragment), std::string::npos) << fragment;
        }
    }
}

}  // namespace tarvilo::testing
