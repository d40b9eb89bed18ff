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

} // namespace
} // namespace tarvilo
