// The results without the curves are those of the whole case, and the
// sweeps end as they were told to.
#include "core/case_results.h"

#include "core/qv_model.h"
#include "core/single_case.h"
#include "core/sweep_forecast.h"
#include "tests/support/random_cases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tarvilo {
namespace {

using testing::EdgeCases;
using testing::Inputs;
using testing::RandomCase;

std::vector<QvInputs> Cases()
{
    std::vector<QvInputs> cases = EdgeCases();
    std::mt19937_64 random(26);
    for (int i = 0; i < 5000; ++i)
        cases.push_back(RandomCase(random));
    return cases;
}

TEST(SweepForecast, EverySweepEndsAsForetold)
{
    int foretold = 0;
    for (const QvInputs &inputs : Cases()) {
        QvResults results;
        try {
            ComputeCriticalPoint(inputs, results);
        } catch (const RunFault &) {
            continue;
        }
        const SweepForecast forecast = ForecastSweeps(inputs, results);
        if (forecast == SweepForecast::Unknown)
            continue;
        ++foretold;
        QvCurves curves;
        curves.vu.fill(std::numeric_limits<double>::quiet_NaN());
        try {
            SweepSystemCharacteristic(inputs, results, curves);
            SweepLoadCharacteristic(inputs, curves);
            EXPECT_EQ(forecast, SweepForecast::Completes) << "X=" << inputs.X << " Uinf=" << inputs.Uinf;
        } catch (const RunFault &fault) {
            ASSERT_EQ(forecast, SweepForecast::FailsAtSecondPoint) << "X=" << inputs.X << " Uinf=" << inputs.Uinf;
            EXPECT_EQ(fault.step(), RunStep::SystemSweep);
            EXPECT_EQ(fault.cause(), FaultCause::NegativeSquareRoot);
            EXPECT_FALSE(std::isnan(curves.vu[1]));
            EXPECT_TRUE(std::isnan(curves.vu[2]));
        }
    }
    EXPECT_GT(foretold, 3700); // nearly every case needs no sweep
}

struct ForecastRow
{
    const char *name;
    QvInputs inputs;
    SweepForecast forecast;
};

TEST(SweepForecast, TellsOnlyWhatRoundingCannotChange)
{
    const ForecastRow rows[] = {
        { "default case", testing::DefaultCase(), SweepForecast::Completes },
        { "negative X", Inputs(-0.03, 3.33, 1, 10.48, 0, 0), SweepForecast::FailsAtSecondPoint },
        { "X within rounding of the discriminant", Inputs(1e-20, 3.33, 1, 10.48, 0, 0), SweepForecast::Unknown },
        { "Q2crit of 2.5e14", Inputs(1e-15, 0, 1, 0, 0, 0), SweepForecast::Unknown },
        { "huge load", Inputs(0.03, 3.33, 1, 1e40, 0, 0), SweepForecast::Unknown },
        { "huge bank", Inputs(0.03, 3.33, 1, 10.48, 0, 1e120), SweepForecast::Unknown },
    };
    for (const ForecastRow &row : rows) {
        QvResults results;
        ComputeCriticalPoint(row.inputs, results);
        EXPECT_EQ(ForecastSweeps(row.inputs, results), row.forecast) << row.name;
    }
}

TEST(CaseResults, AreThoseOfTheWholeCaseToTheBit)
{
    for (const QvInputs &inputs : Cases()) {
        const CaseResults quick = CalculateCaseResults(inputs);
        const CaseOutcome whole = CalculateCase(inputs);
        testing::ExpectSameResults(quick.results, quick.fault, whole.results, whole.fault, inputs);
        if (::testing::Test::HasFailure())
            return;
    }
}

} // namespace
} // namespace tarvilo
