#include "core/qv_model.h"

#include "core/run_fault.h"
#include "tests/support/default_inputs.h"
#include "tests/support/expect_fault.h"

#include <gtest/gtest.h>

#include <utility>

namespace tarvilo {
namespace {

using testing::DefaultCase;

TEST(CriticalPoint, DefaultCaseToTheLastDigit)
{
    QvResults results;
    ComputeCriticalPoint(DefaultCase(), results);
    EXPECT_EQ(results.Q2crit, 5.038421333333334);
    EXPECT_EQ(results.V2crit, 0.5906330163477148);
    EXPECT_EQ(results.V2min, 0.3144);
    EXPECT_EQ(results.MargenQ2, 5.619252187733334);
}

TEST(CriticalPoint, WithoutActivePowerTheNoseIsUinfSquaredOverFourX)
{
    QvInputs inputs = DefaultCase();
    inputs.Pcarga = 0;
    QvResults results;
    ComputeCriticalPoint(inputs, results);
    EXPECT_EQ(results.V2min, 0.0);
    EXPECT_DOUBLE_EQ(results.Q2crit, 1.0 / (4 * 0.03));
}

TEST(CriticalPoint, MinimumVoltageIsNeverNegative)
{
    // A generator at bus 2 or a negative source voltage: the curves are
    // those of the positive load, and so is their lowest voltage.
    for (auto [pcarga, uinf] : { std::pair{ -10.48, 1.0 }, std::pair{ 10.48, -1.0 }, std::pair{ -10.48, -1.0 } }) {
        QvInputs inputs = DefaultCase();
        inputs.Pcarga = pcarga;
        inputs.Uinf = uinf;
        QvResults results;
        ComputeCriticalPoint(inputs, results);
        EXPECT_EQ(results.V2min, 0.3144) << pcarga << " " << uinf;
    }
}

struct FaultCase
{
    const char *name;
    double x;
    double uinf;
};

void PrintTo(const FaultCase &c, std::ostream *out)
{
    *out << c.name;
}

class CriticalPointFault : public ::testing::TestWithParam<FaultCase>
{
};

TEST_P(CriticalPointFault, DivisionByZeroEndsTheStep)
{
    QvInputs inputs = DefaultCase();
    inputs.X = GetParam().x;
    inputs.Uinf = GetParam().uinf;
    QvResults results;
    testing::ExpectFault([&] { ComputeCriticalPoint(inputs, results); }, RunStep::CriticalPoint,
                         FaultCause::DivisionByZero);
}

INSTANTIATE_TEST_SUITE_P(Zeros, CriticalPointFault,
                         ::testing::Values(FaultCase{ "zero_reactance", 0.0, 1.0 },
                                           FaultCase{ "zero_source_voltage", 0.03, 0.0 },
                                           FaultCase{ "negative_zero_reactance", -0.0, 1.0 },
                                           FaultCase{ "both_zero", 0.0, 0.0 }));

TEST(CriticalPoint, OverflowIsAFaultNotAnInfinity)
{
    QvInputs inputs = DefaultCase();
    inputs.Uinf = 1e100; // Uinf^4 is beyond a double
    QvResults results;
    testing::ExpectFault([&] { ComputeCriticalPoint(inputs, results); }, RunStep::CriticalPoint, FaultCause::Overflow);
}

TEST(CriticalPoint, UnderflowToZeroIsNoFault)
{
    QvInputs inputs = DefaultCase();
    inputs.Pcarga = 1e-200; // X^2 * Pcarga^2 underflows to 0
    QvResults results;
    EXPECT_NO_THROW(ComputeCriticalPoint(inputs, results));
    EXPECT_DOUBLE_EQ(results.Q2crit, 1.0 / (4 * 0.03));
}

class Sweeps : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ComputeCriticalPoint(inputs, results);
        SweepSystemCharacteristic(inputs, results, curves);
        SweepLoadCharacteristic(inputs, curves);
    }

    QvInputs inputs = DefaultCase();
    QvResults results;
    QvCurves curves;
};

TEST_F(Sweeps, SystemCharacteristicOfTheDefaultCase)
{
    EXPECT_EQ(curves.q2[1], 5.038421333333334);
    EXPECT_EQ(curves.vu[1], 0.5906330163477148);
    EXPECT_EQ(curves.vl[1], 0.5906330163477148);
    EXPECT_EQ(curves.q2[2], 4.988421333333334);
    EXPECT_EQ(curves.vu[2], 0.6237605257324912);
    EXPECT_EQ(curves.vl[2], 0.5582271280920752);
    EXPECT_EQ(curves.q2[300], -9.911578666666664);
    EXPECT_EQ(curves.vu[300], 1.2112178936963112);
    EXPECT_EQ(curves.vl[300], 0.35727571144687575);
}

TEST_F(Sweeps, LoadCharacteristicOfTheDefaultCase)
{
    EXPECT_EQ(curves.v2[1], 1.5);
    EXPECT_EQ(curves.qcapr[1], -3.74625);
    EXPECT_EQ(curves.v2[2], 1.495);
    EXPECT_EQ(curves.qcapr[2], -3.7213166250000005);
    EXPECT_EQ(curves.v2[300], 0.005000000000009838);
    EXPECT_EQ(curves.qcapr[300], -0.0000416250000001638);
}

TEST_F(Sweeps, StepsAccumulateBySuccessiveSubtraction)
{
    double q = results.Q2crit;
    double v = 1.5;
    for (int i = 1; i <= kCurvePoints; ++i) {
        ASSERT_EQ(curves.q2[i], q) << i;
        ASSERT_EQ(curves.v2[i], v) << i;
        q -= 0.05;
        v -= 0.005;
    }
    // not Q2crit - 0.05 * 299 in one expression
    EXPECT_NE(curves.q2[300], results.Q2crit - 0.05 * 299);
}

TEST_F(Sweeps, BranchesMeetAtTheNoseAndSplitBelowIt)
{
    EXPECT_EQ(curves.vu[1], curves.vl[1]);
    for (int i = 2; i <= kCurvePoints; ++i)
        ASSERT_GT(curves.vu[i], curves.vl[i]) << i;
}

TEST(LoadSweep, WithoutShuntElementsTheLoadIsAVerticalLine)
{
    QvInputs inputs = DefaultCase();
    inputs.B = 0;
    inputs.Qcarga = 0.7;
    QvCurves curves;
    SweepLoadCharacteristic(inputs, curves);
    for (int i = 1; i <= kCurvePoints; ++i)
        ASSERT_EQ(curves.qcapr[i], 0.7);
}

TEST(SystemSweep, NegativeReactanceFailsAtTheSecondPoint)
{
    QvInputs inputs = DefaultCase();
    inputs.X = -0.03;
    QvResults results;
    ComputeCriticalPoint(inputs, results);
    QvCurves curves;
    testing::ExpectFault([&] { SweepSystemCharacteristic(inputs, results, curves); }, RunStep::SystemSweep,
                         FaultCause::NegativeSquareRoot);
    EXPECT_EQ(curves.vu[1], curves.vl[1]); // the nose was written
    EXPECT_EQ(curves.q2[2], results.Q2crit - 0.05); // the second point got its q
    EXPECT_EQ(curves.vu[2], 0.0); // but no voltage
}

} // namespace
} // namespace tarvilo
