#include "core/decimal_digits.h"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <ostream>
#include <random>
#include <string>

namespace tarvilo {
namespace {

struct FifteenCase
{
    const char *name;
    double value;
    DecimalDigits fifteen; // value = 0.digits x 10^pointPosition
};

void PrintTo(const FifteenCase &c, std::ostream *out)
{
    *out << c.name;
}

class FifteenDigitsTable : public ::testing::TestWithParam<FifteenCase>
{
};

TEST_P(FifteenDigitsTable, RoundsTheExactBinaryValue)
{
    const FifteenCase &c = GetParam();
    const DecimalDigits fifteen = ToFifteenDigits(c.value);
    EXPECT_EQ(fifteen.negative, c.fifteen.negative);
    EXPECT_EQ(fifteen.digits, c.fifteen.digits);
    EXPECT_EQ(fifteen.pointPosition, c.fifteen.pointPosition);
}

// The cases where a shortcut through the shortest form or through scaling
// by a power of ten would go wrong: digits beyond the 17th, ties, carries,
// the ends of the range.
INSTANTIATE_TEST_SUITE_P(
        HardCases, FifteenDigitsTable,
        ::testing::Values(
                FifteenCase{ "shortest_form_is_short", 0.1, { false, "1", 0 } },
                FifteenCase{ "binary_below_a_short_decimal", 1.00005, { false, "100005", 1 } },
                FifteenCase{ "carry_into_a_new_place", 0.99999999999999994, { false, "1", 1 } },
                FifteenCase{ "exact_tie_to_even_down", 1000000000000005.0, { false, "1", 16 } },
                FifteenCase{ "exact_tie_to_even_up", 1000000000000015.0, { false, "100000000000002", 16 } },
                FifteenCase{ "half_at_the_16th_digit_carries", 999999999999999.5, { false, "1", 16 } },
                // The doubles nearest to ...345|5 and ...344|5 lie below and
                // above the half.
                FifteenCase{ "near_half_below", 1.234567890123455, { false, "123456789012345", 1 } },
                FifteenCase{ "near_half_above", 1.234567890123445, { false, "123456789012344", 1 } },
                FifteenCase{ "small_magnitude", 0.000123456789012345, { false, "123456789012345", -3 } },
                FifteenCase{ "largest_double", 1.7976931348623157e308, { false, "179769313486232", 309 } },
                FifteenCase{ "smallest_normal", 2.2250738585072014e-308, { false, "22250738585072", -307 } },
                FifteenCase{ "largest_subnormal", 2.2250738585072009e-308, { false, "22250738585072", -307 } },
                FifteenCase{ "smallest_subnormal", 4.9406564584124654e-324, { false, "494065645841247", -323 } },
                FifteenCase{ "three_ulps", 1.5e-323, { false, "148219693752374", -322 } },
                FifteenCase{ "beyond_the_exact_powers", 9.9999999999999995e22, { false, "1", 24 } },
                FifteenCase{ "negative", -2.5, { true, "25", 1 } },
                FifteenCase{ "negative_zero", -0.0, { true, "", 0 } }, FifteenCase{ "zero", 0.0, { false, "", 0 } }));

// The exact route's text of the value: "d.dddddddddddddde+XX".
std::string ExactText(double value)
{
    std::array<char, kFifteenDigitsTextSize> text{};
    return std::string(text.data(), WriteFifteenDigits(std::abs(value), text));
}

// The exact route's text as ToFifteenDigits would give it.
DecimalDigits ExactDigits(double value)
{
    const std::string text = ExactText(value);
    DecimalDigits exact{ std::signbit(value), text.substr(0, 1) + text.substr(2, 14), 0 };
    exact.pointPosition = std::stoi(text.substr(17)) + 1;
    while (exact.digits.back() == '0')
        exact.digits.pop_back();
    return exact;
}

// Values over the quick route's range and beyond it, half of them negative.
template <typename Check>
void ForRandomValues(Check check)
{
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-9, 22);
    for (int i = 0; i < 300000; ++i)
        check((i % 2 ? -1 : 1) * mantissa(random) * std::pow(10.0, exponent(random)));
}

TEST(FifteenDigits, QuickValueIsTheNearestToTheFifteenDigits)
{
    int quick = 0;
    ForRandomValues([&](double value) {
        const std::optional<double> byScaling = FifteenDigitValueByScaling(value);
        if (!byScaling)
            return;
        ++quick;
        const std::string text = ExactText(value);
        double nearest = 0;
        std::from_chars(text.data(), text.data() + text.size(), nearest);
        ASSERT_EQ(std::abs(*byScaling), nearest) << text;
        ASSERT_EQ(std::signbit(*byScaling), std::signbit(value));
    });
    EXPECT_GT(quick, 200000);
}

TEST(FifteenDigits, DigitsAreTheExactRoutes)
{
    ForRandomValues([](double value) {
        const DecimalDigits exact = ExactDigits(value);
        const DecimalDigits digits = ToFifteenDigits(value);
        ASSERT_EQ(digits.digits, exact.digits) << value;
        ASSERT_EQ(digits.pointPosition, exact.pointPosition) << value;
        ASSERT_EQ(digits.negative, exact.negative) << value;
    });
}

struct SumCase
{
    const char *name;
    DecimalDigits a;
    DecimalDigits b;
    DecimalDigits sum;
};

void PrintTo(const SumCase &c, std::ostream *out)
{
    *out << c.name;
}

class SumTable : public ::testing::TestWithParam<SumCase>
{
};

TEST_P(SumTable, AddsExactly)
{
    const SumCase &c = GetParam();
    for (const DecimalDigits &sum : { AddExactly(c.a, c.b), AddExactly(c.b, c.a) }) {
        EXPECT_EQ(sum.negative, c.sum.negative);
        EXPECT_EQ(sum.digits, c.sum.digits);
        EXPECT_EQ(sum.pointPosition, c.sum.pointPosition);
    }
}

// value = 0.digits x 10^pointPosition
INSTANTIATE_TEST_SUITE_P(
        Sums, SumTable,
        ::testing::Values(
                SumCase{ "carry_into_a_new_place",
                         { false, "999", 1 },
                         { false, "1", -1 },
                         { false, "1", 2 } }, // 9.99 + 0.01
                SumCase{ "through_zero", { false, "1", -1 }, { true, "2", -1 }, { true, "1", -1 } }, // 0.01 - 0.02
                SumCase{ "to_zero", { true, "1048", 2 }, { false, "1048", 2 }, { false, "", 0 } }, // -10.48 + 10.48
                SumCase{ "borrow_across_places",
                         { false, "1", 4 },
                         { true, "1", -2 },
                         { false, "999999", 3 } }, // 1000 - 0.001
                SumCase{ "with_zero", { false, "", 0 }, { true, "5", 1 }, { true, "5", 1 } },
                SumCase{ "far_apart",
                         { false, "1", 20 },
                         { false, "1", -19 },
                         { false, "1" + std::string(38, '0') + "1", 20 } }));

TEST(LargestDouble, IsTheBorder)
{
    const std::string largest =
            "17976931348623157081452742373170435679807056752584499659891747680315726078002853876058955"
            "86327668781715404589535143824642343213268894641827684675467035375169860499105765512820762"
            "45490090389328944075868508455133942304583236903222948165808559332123348274797826204144723"
            "168738177180919299881250404026184124858368";
    EXPECT_FALSE(BeyondLargestDouble({ false, largest, 309 }));
    EXPECT_FALSE(BeyondLargestDouble({ true, largest, 309 }));
    EXPECT_TRUE(BeyondLargestDouble({ false, largest + "1", 309 }));
    EXPECT_TRUE(BeyondLargestDouble({ false, "17976931348623158", 309 }));
    EXPECT_FALSE(BeyondLargestDouble({ false, "9", 308 }));
    EXPECT_TRUE(BeyondLargestDouble({ false, "1", 310 }));
    EXPECT_FALSE(BeyondLargestDouble({}));
}

} // namespace
} // namespace tarvilo
