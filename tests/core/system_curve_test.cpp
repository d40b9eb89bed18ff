#include "core/system_curve.h"

#include "core/operating_points.h"
#include "core/qv_model.h"
#include "tests/support/default_inputs.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tarvilo {
namespace {

using testing::Inputs;

// The voltage of the branch through (q, v), read off the curve between its points.
bool PassesThrough(const SystemCurve &curve, double q, double v)
{
    for (size_t i = 1; i < curve.q.size(); ++i) {
        if ((curve.q[i - 1] - q) * (curve.q[i] - q) > 0)
            continue;
        const double f = (q - curve.q[i - 1]) / (curve.q[i] - curve.q[i - 1]);
        for (const auto *branch : { &curve.vu, &curve.vl }) {
            const double at = (*branch)[i - 1] + f * ((*branch)[i] - (*branch)[i - 1]);
            if (std::abs(at - v) < 1e-3)
                return true;
        }
    }
    return false;
}

TEST(SystemCurve, ReachesTheOperatingPointsWhereverTheyLie)
{
    // X 0.01: the points lie far below the run's 15 p.u. of sweep; U inf 2 likewise.
    for (const QvInputs &inputs : { Inputs(0.01, 3.33, 1, 10.48, 0, 0), Inputs(0.03, 3.33, 2, 10.48, 0, 0),
                                    Inputs(0.03, 3.33, 1.75, 10.48, 0, 0), testing::DefaultCase() }) {
        QvResults results;
        ComputeCriticalPoint(inputs, results);
        SolveOperatingPoints(inputs, results);
        ASSERT_TRUE(results.HasSolution);
        const SystemCurve curve = SystemCurveReachingThePoints(inputs, results);
        ASSERT_GE(curve.q.size(), size_t(kCurvePoints));
        EXPECT_EQ(curve.q.front(), results.Q2crit);
        EXPECT_NEAR(curve.vu.front(), curve.vl.front(), 1e-6);
        EXPECT_LE(curve.q.back(), results.Q2crit - 0.05 * (kCurvePoints - 1) + 1e-9);
        EXPECT_TRUE(PassesThrough(curve, results.Q2sup, results.V2sup)) << inputs.X << " " << inputs.Uinf;
        EXPECT_TRUE(PassesThrough(curve, results.Q2inf, results.V2inf)) << inputs.X << " " << inputs.Uinf;
    }
}

TEST(SystemCurve, WithoutOperatingPointsItIsTheRunsSpan)
{
    const QvInputs inputs = Inputs(0.03, 3.33, 1, 30, 0, 0);
    QvResults results;
    ComputeCriticalPoint(inputs, results);
    SolveOperatingPoints(inputs, results);
    ASSERT_FALSE(results.HasSolution);
    const SystemCurve curve = SystemCurveReachingThePoints(inputs, results);
    ASSERT_EQ(curve.q.size(), size_t(kCurvePoints));
    EXPECT_NEAR(curve.q.back(), results.Q2crit - 0.05 * (kCurvePoints - 1), 1e-9);
}

} // namespace
} // namespace tarvilo
