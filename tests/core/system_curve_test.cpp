#include "core/system_curve.h"

#include "core/operating_points.h"
#include "core/qv_model.h"
#include "tests/support/default_inputs.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// How far the drawn curve passes from (q, v), in pixels of a view 700 pixels
// high over the curve's voltages (a fitted chart spans at least these): the
// nearest branch's voltage at q, read off its polyline.
double PixelsOff(const SystemCurve &curve, double q, double v)
{
    const double height = *std::max_element(curve.vu.begin(), curve.vu.end());
    double nearest = INFINITY;
    for (size_t i = 1; i < curve.q.size(); ++i) {
        if ((curve.q[i - 1] - q) * (curve.q[i] - q) > 0 || curve.q[i - 1] == curve.q[i])
            continue;
        const double f = (q - curve.q[i - 1]) / (curve.q[i] - curve.q[i - 1]);
        for (const auto *branch : { &curve.vu, &curve.vl }) {
            const double at = (*branch)[i - 1] + f * ((*branch)[i] - (*branch)[i - 1]);
            nearest = std::min(nearest, std::abs(at - v) / height * 700);
        }
    }
    return nearest;
}

// For a long line the whole curve from V = 0 to 1.2 lies within a few
// steps of 0.05 below the nose; the marks stay on it.
TEST(SystemCurve, TheMarksLieOnTheDrawnCurve)
{
    struct Row
    {
        const char *name;
        QvInputs inputs;
    };
    for (const Row &row :
         { Row{ "X 5", Inputs(5, 0, 1, 0.04, 0, 0) },
           Row{ "X 10 with a bank", Inputs(10, 0.002, 1.05, 0.03, 0.001, 0.01) },
           Row{ "X 50", Inputs(50, 0, 1, 0.004, 0, 0) }, Row{ "X 7.5 generator", Inputs(7.5, 0, 1, -0.03, 0.01, 0.02) },
           Row{ "default", testing::DefaultCase() },
           Row{ "X Beq = 1 - 1e-9", Inputs(0.1, 3, 1.05, 2, 0, 8.4999999) } }) {
        QvResults results;
        ComputeCriticalPoint(row.inputs, results);
        SolveOperatingPoints(row.inputs, results);
        ASSERT_TRUE(results.HasSolution) << row.name;
        const SystemCurve curve = SystemCurveReachingThePoints(row.inputs, results);
        EXPECT_LT(PixelsOff(curve, results.Q2crit, results.V2crit), 1.0) << row.name;
        EXPECT_LT(PixelsOff(curve, results.Q2sup, results.V2sup), 1.0) << row.name;
        EXPECT_LT(PixelsOff(curve, results.Q2inf, results.V2inf), 1.0) << row.name;
        EXPECT_LE(curve.q.size(), 12000u) << row.name;
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
    ASSERT_GE(curve.q.size(), size_t(kCurvePoints));
    EXPECT_NEAR(curve.q.back(), results.Q2crit - 0.05 * (kCurvePoints - 1), 1e-9);
}

} // namespace
} // namespace tarvilo
