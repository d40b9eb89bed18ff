#include "ui/common/number_text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tarvilo {
namespace {

TEST(NumberText, NonFiniteValuesReadAsWhatTheyAre)
{
    const RegionalSettings comma = CommaSettings();
    for (const auto text : { &ExactText, &RoundedText }) {
        EXPECT_EQ(text(INFINITY, comma), QStringLiteral("∞"));
        EXPECT_EQ(text(-INFINITY, comma), QStringLiteral("-∞"));
        EXPECT_EQ(text(std::nan(""), comma), QStringLiteral("indefinido"));
        EXPECT_EQ(text(-1.5, comma), QStringLiteral("-1,5"));
    }
}

// Rounded values stay short enough for a sentence, however large.
TEST(NumberText, RoundedHugeValuesTakeTheExponentForm)
{
    const RegionalSettings comma = CommaSettings();
    const struct
    {
        double value;
        const char *text;
    } cases[] = {
        { 1e308, "1E+308" },
        { -2.5e20, "-2,5E+20" },
        { 1e15, "1E+15" },
        { 999999999999999.0, "999999999999999" },
        { 123456.78905, "123456,7891" },
    };
    for (const auto &c : cases)
        EXPECT_EQ(RoundedText(c.value, comma), QString::fromUtf8(c.text)) << c.value;
}

} // namespace
} // namespace tarvilo
