#include "core/qv_method_margin.h"

#include "core/qv_model.h"
#include "tests/support/default_inputs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

namespace tarvilo {
namespace {

using testing::Inputs;
using Kind = QvMethodMargin::Kind;

struct MarginRow
{
    const char *name;
    QvInputs inputs;
    Kind kind;
    double margin; // from a 60-digit maximisation over V
    double voltage;
};

void PrintTo(const MarginRow &row, std::ostream *out)
{
    *out << row.name;
}

class QvMethodMarginTable : public ::testing::TestWithParam<MarginRow>
{
};

TEST_P(QvMethodMarginTable, IsTheLargestDistanceBetweenTheCharacteristics)
{
    const MarginRow &row = GetParam();
    const QvMethodMargin margin = ComputeQvMethodMargin(row.inputs);
    ASSERT_EQ(margin.kind, row.kind);
    if (row.kind != Kind::Maximum)
        return;
    EXPECT_NEAR(margin.value, row.margin, 1e-12 * std::max(1.0, std::abs(row.margin)));
    EXPECT_NEAR(margin.voltage, row.voltage, 1e-12 * row.voltage);
    // Nowhere near it is the distance larger.
    const QvInputs &in = row.inputs;
    const double beq = Beq(in);
    const auto distance = [&](double v) {
        return (std::sqrt(in.Uinf * in.Uinf * v * v - in.X * in.X * in.Pcarga * in.Pcarga) - v * v) / in.X + beq * v * v
                - in.Qcarga;
    };
    for (const double step : { -1e-3, 1e-3, -0.1, 0.1 }) {
        const double v = margin.voltage * (1 + step);
        if (v * std::abs(in.Uinf) > std::abs(in.X * in.Pcarga)) {
            EXPECT_LT(distance(v), margin.value) << step;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
        QvMethodMargin, QvMethodMarginTable,
        ::testing::Values(MarginRow{ "DefaultCase", testing::DefaultCase(), Kind::Maximum, 5.64113702274201767040e+00,
                                     6.13046909935654250e-01 },
                          MarginRow{ "TwoPointsWithNegativeMargenQ2", Inputs(0.2979, 0, 1.148, 1.9723, 1.2015, 1.493),
                                     Kind::Maximum, 3.02226357626527830647e-01, 1.15354881470820358e+00 },
                          MarginRow{ "WithoutShuntItIsMargenQ2", Inputs(0.1, 0, 1.05, 2, 0.3, 0), Kind::Maximum,
                                     1.05 * 1.05 / 0.4 - 0.1 * 4 / (1.05 * 1.05) - 0.3,
                                     std::sqrt(1.05 * 1.05 / 4 + 0.04 / (1.05 * 1.05)) },
                          MarginRow{ "FullyCompensated", Inputs(0.5, 4, 1, 1, 0, 0), Kind::Unbounded, 0, 0 },
                          MarginRow{ "OverCompensated", Inputs(0.5, 0, 1, 0.5, 0, 3), Kind::Unbounded, 0, 0 },
                          MarginRow{ "NoReactance", Inputs(0, 3.33, 1, 10.48, 0, 0), Kind::NoLine, 0, 0 },
                          MarginRow{ "NegativeReactance", Inputs(-0.03, 3.33, 1, 10.48, 0, 0), Kind::NoLine, 0, 0 },
                          MarginRow{ "NoSource", Inputs(0.03, 3.33, 0, 10.48, 0, 0), Kind::NoLine, 0, 0 },
                          MarginRow{ "TooLarge", Inputs(1e-300, 0, 1e200, 1, 0, 0), Kind::TooLarge, 0, 0 }),
        [](const ::testing::TestParamInfo<MarginRow> &info) { return std::string(info.param.name); });

TEST(QvMethodMargin, LeavesMargenQ2AsItIs)
{
    QvResults results;
    ComputeCriticalPoint(testing::DefaultCase(), results);
    EXPECT_NEAR(results.MargenQ2, 5.6193, 5e-5);
    ComputeCriticalPoint(Inputs(0.2979, 0, 1.148, 1.9723, 1.2015, 1.493), results);
    EXPECT_NEAR(results.MargenQ2, -0.0918, 5e-5);
}

} // namespace
} // namespace tarvilo
