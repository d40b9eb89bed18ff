#include "core/operating_points.h"

#include "core/run_fault.h"
#include "tests/support/default_inputs.h"
#include "tests/support/expect_fault.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

namespace tarvilo {
namespace {

QvInputs Case(double x, double b, double uinf, double pcarga, double qcarga, double qcap)
{
    return testing::Inputs(x, b, uinf, pcarga, qcarga, qcap);
}

TEST(OperatingPoints, DefaultCaseToTheLastDigit)
{
    QvResults results;
    SolveOperatingPoints(Case(0.03, 3.33, 1.00, 10.48, 0, 0), results);
    EXPECT_EQ(results.Discriminant, 0.6431234674147264);
    EXPECT_TRUE(results.HasSolution);
    EXPECT_EQ(results.V2sup, 0.9991021252010436);
    EXPECT_EQ(results.Q2sup, -1.6620114192077677);
    EXPECT_EQ(results.V2inf, 0.33122735174706636);
    EXPECT_EQ(results.Q2inf, -0.18266974497804908);
}

TEST(OperatingPoints, PointTextsReadUnderCommaSettingsHaveNoSolution)
{
    QvResults results;
    results.V2sup = 7.0; // left over from an earlier run
    SolveOperatingPoints(Case(3, 333, 100, 1048, 0, 0), results);
    EXPECT_EQ(results.Discriminant, -98254.16546624001);
    EXPECT_FALSE(results.HasSolution);
    EXPECT_EQ(results.V2sup, 7.0);
}

TEST(OperatingPoints, WithoutShuntElementsThePointsLieAtQcarga)
{
    QvResults results;
    SolveOperatingPoints(Case(0.03, 0, 1.00, 10.48, 0, 0), results);
    EXPECT_EQ(results.V2sup, 0.9427531695763091);
    EXPECT_EQ(results.V2inf, 0.3334913211071963);
    EXPECT_EQ(results.Q2sup, 0.0);
    EXPECT_EQ(results.Q2inf, 0.0);
}

TEST(OperatingPoints, WithoutLoadTheLowerPointIsZero)
{
    QvResults results;
    SolveOperatingPoints(Case(0.03, 3.33, 1.00, 0, 0, 0), results);
    EXPECT_EQ(results.V2inf, 0.0);
    EXPECT_EQ(results.Q2inf, 0.0);
    EXPECT_EQ(results.V2sup, 1.052576180201042);
    EXPECT_EQ(results.Q2sup, -1.8446811641858163);
}

TEST(OperatingPoints, ALoadExactlyAtTheNoseHasOnePoint)
{
    // k1 = -0.625 and 4 k2 k0 = 0.390625: the discriminant is exactly zero.
    QvResults results;
    SolveOperatingPoints(Case(0.5, 0, 1, 0.5, 0.375, 0), results);
    EXPECT_EQ(results.Discriminant, 0.0);
    ASSERT_TRUE(results.HasSolution);
    EXPECT_EQ(results.V2sup, std::sqrt(0.3125));
    EXPECT_EQ(results.V2inf, results.V2sup);
    EXPECT_EQ(results.Q2inf, results.Q2sup);
}

TEST(OperatingPoints, PointsLieOnTheSystemCharacteristic)
{
    const QvInputs inputs = Case(0.03, 3.33, 1.00, 10.48, 0, 0);
    QvResults results;
    SolveOperatingPoints(inputs, results);
    for (auto [v, q] : { std::pair{ results.V2sup, results.Q2sup }, std::pair{ results.V2inf, results.Q2inf } }) {
        const double residual = std::pow(v, 4) + (2 * inputs.X * q - 1) * v * v
                + inputs.X * inputs.X * (inputs.Pcarga * inputs.Pcarga + q * q);
        EXPECT_NEAR(residual, 0.0, 1e-12);
    }
}

TEST(OperatingPoints, ZeroLeadingCoefficientIsAFault)
{
    QvResults results;
    testing::ExpectFault([&] { SolveOperatingPoints(Case(0.5, 4, 1.00, 10.48, 0, 0), results); },
                         RunStep::OperatingPoints, FaultCause::DivisionByZero);
    EXPECT_EQ(results.Discriminant, 1.0);
}

} // namespace
} // namespace tarvilo
