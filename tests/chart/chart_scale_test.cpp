#include "ui/chart/chart_scale.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

namespace tarvilo {
namespace {

struct ScaleCase
{
    const char *name;
    double q2crit;
    std::optional<std::pair<double, double>> range; // minimum, maximum
};

void PrintTo(const ScaleCase &c, std::ostream *out)
{
    *out << c.name;
}

class ReactivePowerAxis : public ::testing::TestWithParam<ScaleCase>
{
};

TEST_P(ReactivePowerAxis, RunsFromNMinus9ToNPlus1)
{
    const ScaleCase &c = GetParam();
    const std::optional<AxisScale> scale = ReactivePowerScale(c.q2crit);
    ASSERT_EQ(scale.has_value(), c.range.has_value());
    if (scale) {
        EXPECT_EQ(scale->minimum, c.range->first);
        EXPECT_EQ(scale->maximum, c.range->second);
        EXPECT_EQ(scale->divisions, 10);
    }
}

const std::nullopt_t none = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
        Cases, ReactivePowerAxis,
        ::testing::Values(ScaleCase{ "default_case", 5.038421333333334, std::pair{ -4.0, 6.0 } },
                          ScaleCase{ "half_to_even_down", 2.5, std::pair{ -7.0, 3.0 } },
                          ScaleCase{ "half_to_even_up", 3.5, std::pair{ -5.0, 5.0 } },
                          ScaleCase{ "negative_half", -2.5, std::pair{ -11.0, -1.0 } },
                          ScaleCase{ "half_to_zero", 0.5, std::pair{ -9.0, 1.0 } },
                          ScaleCase{ "top_of_the_range", 32766.4, std::pair{ 32757.0, 32767.0 } },
                          ScaleCase{ "past_the_top", 32766.6, none },
                          ScaleCase{ "half_at_the_top_goes_even", 32766.5, std::pair{ 32757.0, 32767.0 } },
                          ScaleCase{ "bottom_of_the_range", -32759.4, std::pair{ -32768.0, -32758.0 } },
                          ScaleCase{ "past_the_bottom", -32759.6, none },
                          ScaleCase{ "half_at_the_bottom_goes_even", -32759.5, none },
                          ScaleCase{ "beyond_16_bits", 40000.0, none },
                          ScaleCase{ "rounds_past_16_bits", 32767.5, none }, ScaleCase{ "far_below", -1e300, none },
                          ScaleCase{ "largest_double", std::numeric_limits<double>::max(), none }));

TEST(VoltageAxis, IsFixed)
{
    EXPECT_EQ(kVoltageScale.minimum, 0.0);
    EXPECT_EQ(kVoltageScale.maximum, 1.2);
    EXPECT_EQ(kVoltageScale.divisions, 12);
}

} // namespace
} // namespace tarvilo
