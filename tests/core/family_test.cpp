#include "core/family.h"

#include "core/operating_points.h"
#include "tests/support/default_inputs.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace tarvilo {
namespace {

using testing::DefaultCase;

struct SpreadRow
{
    const char *name;
    InputBox quantity;
    double first;
    double last;
    int count;
    std::vector<double> values;
};

void PrintTo(const SpreadRow &row, std::ostream *out)
{
    *out << row.name;
}

class FamilySpread : public ::testing::TestWithParam<SpreadRow>
{
};

TEST_P(FamilySpread, ValuesRunEvenlyFromFirstToLast)
{
    const SpreadRow &row = GetParam();
    const std::vector<FamilyMember> family =
            CalculateFamily(DefaultCase(), row.quantity, row.first, row.last, row.count);
    ASSERT_EQ(family.size(), row.values.size());
    for (size_t i = 0; i < family.size(); ++i) {
        EXPECT_DOUBLE_EQ(family[i].value, row.values[i]) << i;
        // Only the varied quantity moves; the others are the base's.
        QvInputs expected = DefaultCase();
        ValueOf(expected, row.quantity) = family[i].value;
        EXPECT_EQ(family[i].inputs.X, expected.X) << i;
        EXPECT_EQ(family[i].inputs.B, expected.B) << i;
        EXPECT_EQ(family[i].inputs.Uinf, expected.Uinf) << i;
        EXPECT_EQ(family[i].inputs.Pcarga, expected.Pcarga) << i;
        EXPECT_EQ(family[i].inputs.Qcarga, expected.Qcarga) << i;
        EXPECT_EQ(family[i].inputs.Qcap, expected.Qcap) << i;
    }
    // The last value exactly as given.
    EXPECT_EQ(family.back().value, row.last);
}

INSTANTIATE_TEST_SUITE_P(
        Family, FamilySpread,
        ::testing::Values(SpreadRow{ "DefaultX", InputBox::X, 0.03, 0.06, 5, { 0.03, 0.0375, 0.045, 0.0525, 0.06 } },
                          SpreadRow{ "TwoValues", InputBox::Pcarga, 2, 12, 2, { 2, 12 } },
                          SpreadRow{ "ThreeValues", InputBox::Qcap, 0, 1, 3, { 0, 0.5, 1 } },
                          SpreadRow{ "Downwards", InputBox::Uinf, 1.1, 0.9, 3, { 1.1, 1.0, 0.9 } },
                          SpreadRow{ "ThroughZero", InputBox::Qcarga, -2, 2, 5, { -2, -1, 0, 1, 2 } },
                          SpreadRow{ "OneValue", InputBox::B, 1, 4, 1, { 4 } }),
        [](const ::testing::TestParamInfo<SpreadRow> &info) { return std::string(info.param.name); });

// Each member carries a whole case: both characteristics and its operating
// points, as a single run of its inputs gives them.
TEST(Family, EachMemberIsAWholeCase)
{
    const std::vector<FamilyMember> family = CalculateFamily(DefaultCase(), InputBox::Qcap, 0, 1, 3);
    ASSERT_EQ(family.size(), 3u);
    for (const FamilyMember &member : family) {
        EXPECT_FALSE(member.outcome.fault);
        const double beq = member.value + 3.33 / 2;
        // The load characteristic Qcarga - Beq V^2 from V = 1.5 down to 0.005.
        EXPECT_DOUBLE_EQ(member.outcome.curves.v2[1], 1.5);
        EXPECT_DOUBLE_EQ(member.outcome.curves.qcapr[1], -beq * 2.25);
        // (the voltage steps down by 0.005 at a time, so the last one carries their rounding)
        EXPECT_NEAR(member.outcome.curves.v2[kCurvePoints], 0.005, 1e-13);
        EXPECT_NEAR(member.outcome.curves.qcapr[kCurvePoints], -beq * 0.005 * 0.005, 1e-13);
        // The system characteristic begins at its critical point.
        EXPECT_DOUBLE_EQ(member.outcome.curves.q2[1], member.outcome.results.Q2crit);
        QvResults alone;
        SolveOperatingPoints(member.inputs, alone);
        EXPECT_EQ(member.outcome.results.HasSolution, alone.HasSolution);
        EXPECT_EQ(member.outcome.results.V2sup, alone.V2sup);
        EXPECT_EQ(member.outcome.results.V2inf, alone.V2inf);
    }
}

// A member whose case cannot be completed says why; the others are unharmed.
TEST(Family, AFailedMemberKeepsItsFault)
{
    const std::vector<FamilyMember> family = CalculateFamily(DefaultCase(), InputBox::X, 1e308, 1e308, 2);
    ASSERT_EQ(family.size(), 2u);
    EXPECT_TRUE(family.front().outcome.fault);
}

} // namespace
} // namespace tarvilo
