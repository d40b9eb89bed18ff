#include "core/decimal_digits.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <ostream>
#include <random>
#include <string>

namespace tarvilo {
namespace {

void ExpectSameDigits(double value)
{
    const DecimalDigits fast = ToFifteenDigits(value);
    const DecimalDigits exact = ToFifteenDigitsExactly(value);
    ASSERT_EQ(fast.digits, exact.digits) << value;
    ASSERT_EQ(fast.pointPosition, exact.pointPosition) << value;
    ASSERT_EQ(fast.negative, exact.negative) << value;
}

TEST(FifteenDigits, FastRouteAgreesWithTheExactOneOnRandomBits)
{
    std::mt19937_64 random(3);
    for (int i = 0; i < 300000; ++i) {
        const std::uint64_t bits = random();
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value))
            ExpectSameDigits(value);
    }
}

TEST(FifteenDigits, FastRouteAgreesNearTies)
{
    // Values whose 16th and 17th digits sit at or around one half: the
    // shortest form alone could round them the wrong way.
    std::mt19937_64 random(5);
    std::uniform_int_distribution<long long> mantissa(100000000000000LL, 999999999999999LL);
    std::uniform_int_distribution<int> exponent(-300, 300);
    for (int i = 0; i < 100000; ++i) {
        const double tie = (static_cast<double>(mantissa(random)) + 0.5) * std::pow(10.0, exponent(random) - 14);
        if (!std::isfinite(tie))
            continue;
        ExpectSameDigits(tie);
        ExpectSameDigits(std::nextafter(tie, 0.0));
        ExpectSameDigits(std::nextafter(tie, INFINITY));
    }
}

TEST(FifteenDigits, QuickRoutesAgreeWithTheExactOneOverEverydayMagnitudes)
{
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-9, 22);
    int quick = 0;
    for (int i = 0; i < 300000; ++i) {
        const double value = (i % 2 ? -1 : 1) * mantissa(random) * std::pow(10.0, exponent(random));
        ExpectSameDigits(value);
        const std::optional<double> byScaling = FifteenDigitValueByScaling(value);
        if (!byScaling)
            continue;
        ++quick;
        const DecimalDigits exact = ToFifteenDigitsExactly(value);
        const std::string text =
                (exact.negative ? "-0." : "0.") + exact.digits + "e" + std::to_string(exact.pointPosition);
        double nearest = 0;
        std::from_chars(text.data(), text.data() + text.size(), nearest);
        ASSERT_EQ(*byScaling, nearest) << text;
    }
    EXPECT_GT(quick, 200000);
}

TEST(FifteenDigits, CurveLikeValues)
{
    double q = 5.038421333333334;
    for (int i = 0; i < 100000; ++i, q -= 0.05)
        ExpectSameDigits(q);
    for (double v : { 0.0, -0.0, 4.9406564584124654e-324, 2.2250738585072014e-308, 1.7976931348623157e308,
                      0.999999999999999944, 9.9999999999999995e22, 1e15, 0.1, 1.00005 }) {
        ExpectSameDigits(v);
    }
}

TEST(FifteenDigits, RoundsAtTheFifteenthDigit)
{
    EXPECT_EQ(ToFifteenDigits(0.1).digits, "1");
    EXPECT_EQ(ToFifteenDigits(1.00005).digits, "100005");
    const DecimalDigits carried = ToFifteenDigits(0.99999999999999994);
    EXPECT_EQ(carried.digits, "1");
    EXPECT_EQ(carried.pointPosition, 1);
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
