#include "core/compensation.h"

#include "tests/support/default_inputs.h"

#include <gtest/gtest.h>

namespace tarvilo {
namespace {

using testing::Inputs;

// 1 - X (Qcap + B/2) of the inputs as stored, to the last bit, even where
// the bank and the line all but cancel the reactance. Expected values from
// exact rational arithmetic on the same doubles.
TEST(UncompensatedFraction, IsExactWhereTheCompensationAlmostCancels)
{
    struct Row
    {
        QvInputs inputs;
        double exact;
    };
    for (const Row &row : { Row{ Inputs(0.3, 6.666666666, 1, 1, 0, 0), 1.0000000087255027e-10 },
                            Row{ Inputs(0.07, 0, 1, 1, 0, 14.285714285714), 1.987108890131952e-14 },
                            Row{ Inputs(0.13, 3.2, 1, 1, 0, 6.0923076923), 9.999081904346406e-13 },
                            Row{ Inputs(0.7, 0.5, 1, 1, 0, 1.1785714285714), 2.009186467993069e-14 },
                            Row{ Inputs(0.03, 3.33, 1, 1, 0, 0), 0.95005 } }) {
        EXPECT_NEAR(UncompensatedFraction(row.inputs) / row.exact, 1.0, 1e-15) << row.exact;
    }
}

} // namespace
} // namespace tarvilo
