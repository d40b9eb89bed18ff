#pragma once

#include "core/run_fault.h"

#include <gtest/gtest.h>

namespace tarvilo::testing {

// Runs body, which must end with a RunFault of the given cause at the given
// step. Returns the fault for further checks.
template <typename Body>
RunFault ExpectFault(Body &&body, RunStep step, FaultCause cause)
{
    try {
        body();
        ADD_FAILURE() << "no fault";
    } catch (const RunFault &fault) {
        EXPECT_EQ(fault.step(), step);
        EXPECT_EQ(fault.cause(), cause);
        return fault;
    }
    return RunFault(step, cause);
}

} // namespace tarvilo::testing
