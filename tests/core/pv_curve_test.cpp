#include "core/pv_curve.h"

#include "core/operating_points.h"
#include "tests/support/default_inputs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <variant>

namespace tarvilo {
namespace {

using testing::Inputs;

bool HasOperatingPoint(QvInputs inputs, double p)
{
    const double t = inputs.Qcarga / inputs.Pcarga;
    inputs.Pcarga = p;
    inputs.Qcarga = t * p;
    QvResults results;
    SolveOperatingPoints(inputs, results);
    return results.HasSolution;
}

TEST(PvCurve, UnityPowerFactorWithoutShuntGivesTheTextbookLimit)
{
    // Pmax = Uinf^2 / (2 X) for a purely active load on a bare line.
    EXPECT_DOUBLE_EQ(MaximumLoadability(Inputs(0.03, 0, 1, 10.48, 0, 0)), 1 / (2 * 0.03));
    EXPECT_DOUBLE_EQ(MaximumLoadability(Inputs(0.1, 0, 1.05, 2, 0, 0)), 1.05 * 1.05 / 0.2);
}

TEST(PvCurve, PmaxIsWhereTheOperatingPointsCease)
{
    for (const QvInputs& inputs : {testing::DefaultCase(), Inputs(0.1, 0.2, 1.05, 2.5, 0.7, 0.3),
                                   Inputs(0.05, 0, 1, 3, -0.8, 0.4)}) {
        const double pmax = MaximumLoadability(inputs);
        EXPECT_TRUE(HasOperatingPoint(inputs, pmax * (1 - 1e-9))) << pmax;
        EXPECT_FALSE(HasOperatingPoint(inputs, pmax * (1 + 1e-9))) << pmax;
    }
}

TEST(PvCurve, BothBranchesMeetAtPmax)
{
    const auto traced = TracePvCurve(testing::DefaultCase(), 101);
    ASSERT_TRUE(std::holds_alternative<PvCurve>(traced));
    const PvCurve& curve = std::get<PvCurve>(traced);
    ASSERT_EQ(curve.p.size(), 101u);
    EXPECT_EQ(curve.p.back(), curve.Pmax);
    EXPECT_EQ(curve.vUpper.back(), curve.vLower.back());
    // Just before the nose the branches still stand apart, around it.
    const size_t before = curve.p.size() - 2;
    EXPECT_GT(curve.vUpper[before], curve.vUpper.back());
    EXPECT_LT(curve.vLower[before], curve.vLower.back());
    // At no load: the upper branch at Uinf / (1 - X Beq), the lower at 0.
    EXPECT_DOUBLE_EQ(curve.vUpper.front(), 1 / (1 - 0.03 * 1.665));
    EXPECT_EQ(curve.vLower.front(), 0.0);
}

TEST(PvCurve, NoLoadOrNoNoseHasNoCurve)
{
    EXPECT_EQ(std::get<PvObstacle>(TracePvCurve(Inputs(0.03, 3.33, 1, 0, 0, 0), 50)), PvObstacle::NoLoad);
    EXPECT_EQ(std::get<PvObstacle>(TracePvCurve(Inputs(0.5, 4, 1, 10.48, 0, 0), 50)), PvObstacle::NoNose);
    EXPECT_EQ(std::get<PvObstacle>(TracePvCurve(Inputs(0, 3.33, 1, 10.48, 0, 0), 50)), PvObstacle::NoLine);
}

}  // namespace
}  // namespace tarvilo
