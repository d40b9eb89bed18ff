#include "core/pv_curve.h"

#include "core/operating_points.h"
#include "core/run_fault.h"
#include "tests/support/default_inputs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
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

struct PmaxRow
{
    const char *name;
    QvInputs inputs;
    double pmax; // from a 60-digit maximisation of the AC power flow over the load angle
    double vNose; // the voltage there
};

void PrintTo(const PmaxRow &row, std::ostream *out)
{
    *out << row.name;
}

class PmaxTable : public ::testing::TestWithParam<PmaxRow>
{
};

TEST_P(PmaxTable, EqualsTheMaximumOfThePowerFlow)
{
    const PmaxRow &row = GetParam();
    EXPECT_NEAR(MaximumLoadability(row.inputs), row.pmax, 2e-15 * row.pmax);
    const auto traced = TracePvCurve(row.inputs, 50);
    ASSERT_TRUE(std::holds_alternative<PvCurve>(traced));
    const PvCurve &curve = std::get<PvCurve>(traced);
    EXPECT_EQ(curve.Pmax, MaximumLoadability(row.inputs));
    EXPECT_NEAR(curve.vNose, row.vNose, 2e-15 * row.vNose);
    EXPECT_EQ(curve.exporting, row.inputs.Pcarga < 0);
}

INSTANTIATE_TEST_SUITE_P(
        PvCurve, PmaxTable,
        ::testing::Values(
                PmaxRow{ "DefaultCase", testing::DefaultCase(), 1.75429363366840362914e+01, 7.44283754735590275e-01 },
                PmaxRow{ "UnityPowerFactor", Inputs(0.5, 0, 1, 0.5, 0.5, 0), 4.14213562373095034452e-01,
                         5.41196100146197012e-01 },
                // X Beq > 1: the bank over-compensates the line and the nose is still there.
                PmaxRow{ "OverCompensated", Inputs(0.5, 0, 1, 0.5, 0, 3), 2.0, 1.41421356237309515e+00 },
                PmaxRow{ "OverCompensatedInductive", Inputs(0.1, 0, 1, 0.5, 0.3, 15), 1.76619037896905979323e+01,
                         2.02963751807136017e+00 },
                PmaxRow{ "OverCompensatedCapacitive", Inputs(0.25, 0, 1, 0.5, -0.2, 6), 2.70813184570760334680e+00,
                         1.20763141349439862e+00 },
                // Strongly capacitive loads, where 1 / (alpha + sqrt(beta)) cancelled.
                PmaxRow{ "CapacitiveRatio1e6", Inputs(0.1, 0, 1, 1e-6, -1, 0), 1.00000000000024996698e+07,
                         1.00000000000037509e+06 },
                PmaxRow{ "CapacitiveRatio2e8", Inputs(0.45, 0, 1, 3e-9, -0.7, 0), 5.18518518518518507481e+08,
                         2.33333333333333313e+08 },
                PmaxRow{ "CapacitiveRatio1e8", Inputs(0.1, 0, 1, 1e-8, -1, 0), 1e9, 1e8 },
                PmaxRow{ "CapacitiveRatio1e12", Inputs(0.1, 0, 1, 1e-12, -1, 0), 1e13, 1e12 },
                PmaxRow{ "InductiveRatio1e12", Inputs(0.1, 0, 1, 1e-12, 1, 0), 2.49999999999999984874e-12, 0.5 },
                // X Beq = 1 - 1e-10: the run's solver finds its leading coefficient zero.
                PmaxRow{ "AlmostFullyCompensated", Inputs(0.5, 0, 1, 0.5, 0.1, 1.9999999998),
                         8.19803834887683486938e+09, 6.46544306721478844e+09 },
                // A generator at bus 2: the limit of the exported power.
                PmaxRow{ "Exporting", Inputs(0.2441, 0.193, 1, -1.5019, 0, 0), 2.09775482229625032105e+00,
                         7.24164957466902792e-01 },
                // Exporting with reactive power: Qcarga per unit of the exported power sets the power factor
                // (60-digit closed form; the exact discriminant changes sign within 1e-9 of it).
                PmaxRow{ "ExportingInductive", Inputs(0.2441, 0.193, 1, -1.5019, 0.3, 0), 1.72017432211395901043,
                         6.62207578961710446e-1 },
                PmaxRow{ "ExportingCapacitive", Inputs(0.2441, 0.193, 1, -1.5019, -0.4, 0), 2.72957219481283456878,
                         8.40326070637959943e-1 },
                PmaxRow{ "ExportingOverCompensated", Inputs(0.5, 0, 1, -0.5, 0.2, 3), 2.9540659228538016734,
                         1.78371140298578591 }),
        [](const ::testing::TestParamInfo<PmaxRow> &info) { return std::string(info.param.name); });

TEST(PvCurve, PmaxIsWhereTheOperatingPointsCease)
{
    for (const QvInputs &inputs : { testing::DefaultCase(), Inputs(0.1, 0.2, 1.05, 2.5, 0.7, 0.3),
                                    Inputs(0.05, 0, 1, 3, -0.8, 0.4), Inputs(0.5, 0, 1, 0.5, 0, 3) }) {
        const double pmax = MaximumLoadability(inputs);
        EXPECT_TRUE(HasOperatingPoint(inputs, pmax * (1 - 1e-9))) << pmax;
        EXPECT_FALSE(HasOperatingPoint(inputs, pmax * (1 + 1e-9))) << pmax;
    }
}

TEST(PvCurve, BothBranchesMeetAtPmax)
{
    const auto traced = TracePvCurve(testing::DefaultCase(), 101);
    ASSERT_TRUE(std::holds_alternative<PvCurve>(traced));
    const PvCurve &curve = std::get<PvCurve>(traced);
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

// Just below Pmax both operating points stand at the nose, where the run's
// own solver puts V2sup: the branches meet at the operating voltage.
TEST(PvCurve, BranchesMeetAtTheOperatingVoltageJustBelowPmax)
{
    for (const QvInputs &inputs :
         { testing::DefaultCase(), Inputs(0.1, 0.2, 1.05, 2.5, 0.7, 0.3), Inputs(0.05, 0, 1, 3, -0.8, 0.4),
           Inputs(0.5, 0, 1, 0.5, 0, 3), Inputs(0.2441, 0.193, 1, -1.5019, 0, 0) }) {
        QvInputs nearNose = inputs;
        const double t = inputs.Qcarga / inputs.Pcarga;
        const double pmax = MaximumLoadability(inputs);
        nearNose.Pcarga = (inputs.Pcarga < 0 ? -pmax : pmax) * (1 - 1e-12);
        nearNose.Qcarga = t * nearNose.Pcarga;
        QvResults results;
        SolveOperatingPoints(nearNose, results);
        ASSERT_TRUE(results.HasSolution) << pmax;
        const auto voltages = PvOperatingVoltages(nearNose);
        ASSERT_TRUE(voltages) << pmax;
        const auto traced = TracePvCurve(inputs, 50);
        ASSERT_TRUE(std::holds_alternative<PvCurve>(traced));
        const double vNose = std::get<PvCurve>(traced).vNose;
        EXPECT_NEAR(voltages->upper / results.V2sup, 1.0, 1e-5) << pmax;
        EXPECT_NEAR(voltages->lower / results.V2sup, 1.0, 1e-5) << pmax;
        EXPECT_NEAR(vNose / results.V2sup, 1.0, 1e-5) << pmax;
    }
}

// Near X Beq = 1 every point of the curve still solves the operating-point
// equation a^2 y^2 + (2 X a Q - Uinf^2) y + X^2 (P^2 + Q^2) = 0: the roots'
// product and sum, each checked in a form without cancellation.
TEST(PvCurve, PointsStayAccurateAsTheShuntApproachesTheLine)
{
    for (const double a : { 1e-4, 1e-6, 1e-7, 1e-8, 1e-10, 1e-12 }) {
        // X = 0.5 makes 1 - X Qcap exact in doubles.
        const QvInputs inputs = Inputs(0.5, 0, 1, 0.5, 0.1, (1 - a) / 0.5);
        const double exactA = 1 - 0.5 * inputs.Qcap;
        const auto traced = TracePvCurve(inputs, 200);
        ASSERT_TRUE(std::holds_alternative<PvCurve>(traced)) << a;
        const PvCurve &curve = std::get<PvCurve>(traced);
        ASSERT_EQ(curve.p.size(), 200u) << a;
        const double t = 0.2;
        for (size_t i = 1; i < curve.p.size(); ++i) {
            const double p = curve.p[i];
            const long double up = curve.vUpper[i], low = curve.vLower[i];
            const long double product = up * up * low * low * exactA * exactA;
            const long double expectedProduct = 0.25L * p * p * (1 + t * t);
            EXPECT_NEAR(double(product / expectedProduct), 1.0, 1e-12) << a << " at " << i;
            const long double sum = (up * up + low * low) * exactA * exactA;
            const long double expectedSum = 1 - 2 * 0.5L * exactA * t * p;
            EXPECT_NEAR(double(sum / expectedSum), 1.0, 1e-12) << a << " at " << i;
        }
    }
}

TEST(PvCurve, OperatingVoltagesLieOnTheCurve)
{
    const QvInputs inputs = testing::DefaultCase();
    QvResults results;
    SolveOperatingPoints(inputs, results);
    const auto voltages = PvOperatingVoltages(inputs);
    ASSERT_TRUE(voltages);
    EXPECT_NEAR(voltages->upper, results.V2sup, 1e-13);
    EXPECT_NEAR(voltages->lower, results.V2inf, 1e-13);
    // The exported power's operating point, on the export curve.
    const auto exporting = PvOperatingVoltages(Inputs(0.2441, 0.193, 1, -1.5019, 0, 0));
    ASSERT_TRUE(exporting);
    EXPECT_GT(exporting->upper, exporting->lower);
    EXPECT_FALSE(PvOperatingVoltages(Inputs(0.03, 3.33, 1, 20, 0, 0)));
}

TEST(PvCurve, ObstaclesOnlyWhereTheCurveCannotExist)
{
    struct Row
    {
        QvInputs inputs;
        std::optional<PvObstacle> obstacle;
    };
    for (const Row &row : { Row{ Inputs(0.03, 3.33, 1, 0, 0, 0), PvObstacle::NoLoad },
                            Row{ Inputs(0.5, 4, 1, 10.48, 0, 0), PvObstacle::NoNose },
                            Row{ Inputs(0.5, 0, 1, 1, 0, 2), PvObstacle::NoNose },
                            Row{ Inputs(0, 3.33, 1, 10.48, 0, 0), PvObstacle::NoLine },
                            Row{ Inputs(-0.03, 3.33, 1, 10.48, 0, 0), PvObstacle::NoLine },
                            Row{ Inputs(0.03, 3.33, 0, 10.48, 0, 0), PvObstacle::NoLine },
                            Row{ Inputs(0.5, 0, 1, 0.5, 0, 3), std::nullopt },
                            Row{ Inputs(0.2441, 0.193, 1, -1.5019, 0, 0), std::nullopt } }) {
        EXPECT_EQ(PvObstacleOf(row.inputs), row.obstacle);
        EXPECT_EQ(std::holds_alternative<PvObstacle>(TracePvCurve(row.inputs, 10)), row.obstacle.has_value());
    }
    // Fully compensated: the equation is linear, one voltage X |S| / Uinf.
    EXPECT_DOUBLE_EQ(UncompensatedLineVoltage(Inputs(0.5, 4, 1, 1, 0, 0)), 0.5);
}

TEST(PvCurve, BeyondTheRangeOfADoubleIsAFault)
{
    EXPECT_THROW(MaximumLoadability(Inputs(1e-300, 0, 1e200, 1, 0, 0)), RunFault);
}

} // namespace
} // namespace tarvilo
