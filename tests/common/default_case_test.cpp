// The two sets the window starts with: the default case in the regional
// spelling first, then in the other common one.
#include "ui/main/default_case.h"

#include <gtest/gtest.h>

using namespace tarvilo;

namespace {

struct Spelling
{
    const char *name;
    RegionalSettings regional;
    const char *first; // the decimal separator of the first set
    const char *second; // and of the second
};

InputTexts Spelt(const char *separator)
{
    InputTexts texts{ QStringLiteral("0.03"),  QStringLiteral("3.33"), QStringLiteral("1.00"),
                      QStringLiteral("10.48"), QStringLiteral("0.00"), QStringLiteral("0.00") };
    for (QString &text : texts)
        text.replace(QLatin1Char('.'), QString::fromUtf8(separator));
    return texts;
}

class DefaultSets : public ::testing::TestWithParam<Spelling>
{
};

} // namespace

TEST_P(DefaultSets, FirstInTheRegionalSpellingThenTheOther)
{
    const StartUpSets sets = DefaultSetsFor(GetParam().regional);
    EXPECT_EQ(sets.first, Spelt(GetParam().first));
    EXPECT_EQ(sets.second, Spelt(GetParam().second));
}

INSTANTIATE_TEST_SUITE_P(Settings, DefaultSets,
                         ::testing::Values(Spelling{ "point", PointSettings(), ".", "," },
                                           Spelling{ "comma", CommaSettings(), ",", "." },
                                           Spelling{ "arabic", { "\u066B", "\u066C" }, "\u066B", "." },
                                           Spelling{ "french", { ",", "\u202F" }, ",", "." },
                                           Spelling{ "swiss", { ".", "'" }, ".", "," }),
                         [](const ::testing::TestParamInfo<Spelling> &info) { return info.param.name; });
