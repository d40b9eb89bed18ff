#include "core/operating_points.h"

#include "tests/support/default_inputs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
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

// Where the model's own order of operations cancels: near X Beq = 1 (the
// square term (1 - X Beq)^2) and at the loadability limit of strongly
// capacitive loads (the discriminant). Expected values from 80-digit
// arithmetic on the same input doubles, rounded to doubles; whether a point
// exists from the exact sign of the discriminant.
struct ExactRow
{
    const char *name;
    QvInputs inputs;
    bool hasSolution;
    double V2sup = 0, Q2sup = 0, V2inf = 0, Q2inf = 0;
};

void PrintTo(const ExactRow &row, std::ostream *out)
{
    *out << row.name;
}

class ExactPoints : public ::testing::TestWithParam<ExactRow>
{
};

TEST_P(ExactPoints, AgreeWithExactArithmetic)
{
    const ExactRow &row = GetParam();
    QvResults results;
    SolveOperatingPoints(row.inputs, results);
    ASSERT_EQ(results.HasSolution, row.hasSolution);
    EXPECT_EQ(results.Discriminant >= 0, row.hasSolution);
    if (!row.hasSolution)
        return;
    for (auto [value, exact] : { std::pair{ results.V2sup, row.V2sup }, std::pair{ results.Q2sup, row.Q2sup },
                                 std::pair{ results.V2inf, row.V2inf }, std::pair{ results.Q2inf, row.Q2inf } }) {
        EXPECT_NEAR(value, exact, 0x1p-50 * std::abs(exact));
    }
}

INSTANTIATE_TEST_SUITE_P(
        OperatingPoints, ExactPoints,
        ::testing::Values(
                // X Beq = 1 exactly: one point, V = X |S| / Uinf, for a load and for a generator.
                ExactRow{ "FullyCompensated", Case(0.5, 4, 1, 10.48, 0, 0), true, 5.24, -54.915200000000006, 5.24,
                          -54.915200000000006 },
                ExactRow{ "FullyCompensatedGenerator", Case(0.25, 6, 0.9, -1.5, 0.2, 1), true, 0.42035405417837657,
                          -0.5067901234567901, 0.42035405417837657, -0.5067901234567901 },
                ExactRow{ "AMillionthFromFull", Case(0.1, 3, 1.05, 2, 0, 8.499999), true, 10500000.013686873,
                          -1102499892624243.2, 0.19047619047619052, -0.36281175510204094 },
                ExactRow{ "TenMillionthsFromFull", Case(0.1, 3, 1.05, 2, 0, 8.4999999), true, 105000001.22100155,
                          -1.1025000146160326e+17, 0.19047619047619047, -0.3628117877551021 },
                ExactRow{ "ATrillionthFromFull", Case(0.5, 0, 1, 0.5, 0.1, 1.999999999998), true, 1000022122209.4529,
                          -2.0000884898145957e+24, 0.25495097567965197, -0.029999999999883 },
                ExactRow{ "ATrillionthBeyondFull", Case(0.5, 0, 1, 0.5, 0.1, 2.000000000002), true, 999911107320.32,
                          -1.9996444450870967e+24, 0.2549509756796265, -0.030000000000117006 },
                // Qcarga / Pcarga = -1e12 and -1e6, a ten-millionth of a millionth either side of the limit.
                ExactRow{ "Capacitive1e12JustBelowTheLimit", Case(0.1, 0, 1, 9999999999999.0, -9.999999999999e+24, 0),
                          true, 999999999999.9501, -9.999999999999e+24, 999999999999.9501, -9.999999999999e+24 },
                ExactRow{ "Capacitive1e12JustBeyondTheLimit",
                          Case(0.1, 0, 1, 10000000000001.0, -1.0000000000001e+25, 0), false },
                ExactRow{ "Capacitive1e6JustBelowTheLimit",
                          Case(0.45, 0.2, 1.05, 2987804.878049229, -2987804878049.229, 0.3), true, 1280487.8048786675,
                          -3643664485426.4243, 1280487.8048782626, -3643664485426.0093 },
                ExactRow{ "Capacitive1e6JustBeyondTheLimit",
                          Case(0.45, 0.2, 1.05, 2987804.8780498262, -2987804878049.826, 0.3), false },
                // The last load with a point and the next double of Pcarga.
                ExactRow{ "Capacitive1e12LastLoad", Case(0.1, 0, 1, 10000000000000.0, -1e+25, 0), true,
                          1000000000000.0001, -1e+25, 1000000000000.0001, -1e+25 },
                ExactRow{ "Capacitive1e12FirstLoadBeyond", Case(0.1, 0, 1, 10000000000000.002, -1e+25, 0), false }),
        [](const ::testing::TestParamInfo<ExactRow> &info) { return std::string(info.param.name); });

} // namespace
} // namespace tarvilo
