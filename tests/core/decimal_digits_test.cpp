#include "core/decimal_digits.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
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
        if (std::isfinite(value)) ExpectSameDigits(value);
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
        if (!std::isfinite(tie)) continue;
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
        if (!byScaling) continue;
        ++quick;
        const DecimalDigits exact = ToFifteenDigitsExactly(value);
        const std::string text = (exact.negative ? "-0." : "0.") + exact.digits + "e" + std::to_string(exact.pointPosition);
        double nearest = 0;
        std::from_chars(text.data(), text.data() + text.size(), nearest);
        ASSERT_EQ(*byScaling, nearest) << text;
    }
    EXPECT_GT(quick, 200000);
}

TEST(FifteenDigits, CurveLikeValues)
{
    double q = 5.038421333333334;
    for (int i = 0; i < 100000; ++i, q -= 0.05) ExpectSameDigits(q);
    for (double v : {0.0, -0.0, 4.9406564584124654e-324, 2.2250738585072014e-308, 1.7976931348623157e308,
                     0.999999999999999944, 9.9999999999999995e22, 1e15, 0.1, 1.00005}) {
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

}  // namespace
}  // namespace tarvilo
