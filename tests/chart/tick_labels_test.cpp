#include "ui/chart/tick_labels.h"
#include "ui/chart/zoom_bounds.h"

#include <gtest/gtest.h>

#include <QSet>

#include <cmath>
#include <limits>

namespace tarvilo {
namespace {

QStringList Labels(const QList<Tick> &ticks)
{
    QStringList labels;
    for (const Tick &tick : ticks)
        labels << tick.label;
    return labels;
}

struct LabelCase
{
    const char *name;
    double min, max;
    int maxTicks;
    char16_t separator;
    QStringList labels; // '.' stands for the separator
};

void PrintTo(const LabelCase &c, std::ostream *out)
{
    *out << c.name;
}

class TickLabels : public ::testing::TestWithParam<LabelCase>
{
};

TEST_P(TickLabels, AreRoundAsciiAndRegional)
{
    const LabelCase &c = GetParam();
    QStringList expected = c.labels;
    expected.replaceInStrings(QStringLiteral("."), QString(QChar(c.separator)));
    EXPECT_EQ(Labels(TicksOver(c.min, c.max, c.maxTicks, QString(QChar(c.separator)))), expected);
}

INSTANTIATE_TEST_SUITE_P(
        Table, TickLabels,
        ::testing::Values(
                LabelCase{ "main_reactive",
                           -4,
                           6,
                           10,
                           u',',
                           { "-4", "-3", "-2", "-1", "0", "1", "2", "3", "4", "5", "6" } },
                LabelCase{
                        "main_voltage_arabic",
                        0,
                        1.2,
                        12,
                        u'\u066B',
                        { "0", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1.0", "1.1", "1.2" } },
                LabelCase{ "quarters_persian", -0.5, 0.5, 4, u'\u066B', { "-0.50", "-0.25", "0", "0.25", "0.50" } },
                LabelCase{ "quarters_spanish", -0.5, 0.5, 4, u',', { "-0.50", "-0.25", "0", "0.25", "0.50" } },
                LabelCase{ "no_minus_zero", -1e-17, 1, 2, u'.', { "0", "0.5", "1.0" } },
                LabelCase{ "large_values", 1e15, 3e15, 2, u',', { "1e+15", "2e+15", "3e+15" } },
                LabelCase{ "large_values_finer", 1e15, 1.5e15, 2, u',', { "1.00e+15", "1.25e+15", "1.50e+15" } },
                LabelCase{ "fine_around_large",
                           1000,
                           1000.000001,
                           2,
                           u'.',
                           { "1000.0000000", "1000.0000005", "1000.0000010" } },
                LabelCase{ "nothing_for_nan", std::nan(""), 1, 5, u'.', {} },
                LabelCase{ "nothing_for_infinity", 0, std::numeric_limits<double>::infinity(), 5, u'.', {} },
                LabelCase{ "nothing_reversed", 2, 1, 5, u'.', {} }),
        [](const auto &info) { return std::string(info.param.name); });

// Any range asks for a few dozen ticks at most, each label its own.
TEST(TickLabels, StayFewAndDistinctForAnyRange)
{
    for (const double centre : { 0.0, 1e-6, -3.7, 12345.678, 9.9e14, -2e30 }) {
        for (int power = -12; power <= 40; power += 2) {
            const double span = std::max(std::abs(centre), 1.0) * std::pow(10.0, power) / 1e12;
            for (const int asked : { 2, 11, 1000000 }) {
                const QList<Tick> ticks = TicksOver(centre - span / 2, centre + span / 2, asked, QStringLiteral(","));
                ASSERT_LE(ticks.size(), kMaxTicks + 1) << centre << " " << span;
                const QStringList labels = Labels(ticks);
                EXPECT_EQ(QSet<QString>(labels.begin(), labels.end()).size(), labels.size()) << centre << " " << span;
                for (const QString &label : labels) {
                    for (const QChar ch : label)
                        EXPECT_TRUE(ch.unicode() < 0x80) << label.toStdString();
                }
            }
        }
    }
}

const AxisRanges kFitted{ -4, 6, 0, 1.5 };

TEST(ZoomBounds, LeaveAViewInsideAlone)
{
    const AxisRanges inside{ -2, 1, 0.2, 1.1 };
    EXPECT_EQ(BoundedZoom(inside, kFitted), inside);
    EXPECT_EQ(BoundedZoom(kFitted, kFitted), kFitted);
}

TEST(ZoomBounds, KeepAnyNumberOfNotchesOutWithinFourFittedViews)
{
    AxisRanges view = kFitted;
    const double centreX = 100.0, centreY = -50.0; // far off, below zero volts
    for (int notch = 0; notch < 10000; ++notch) {
        view = { centreX + (view.xMin - centreX) * 1.25, centreX + (view.xMax - centreX) * 1.25,
                 centreY + (view.yMin - centreY) * 1.25, centreY + (view.yMax - centreY) * 1.25 };
        view = BoundedZoom(view, kFitted);
    }
    EXPECT_DOUBLE_EQ(view.xMax - view.xMin, 40.0);
    EXPECT_DOUBLE_EQ(view.yMax - view.yMin, 6.0);
    EXPECT_GE(view.xMin, -19.0);
    EXPECT_LE(view.xMax, 21.0);
    EXPECT_GE(view.yMin, 0.0); // no negative voltages
}

TEST(ZoomBounds, KeepAnyNumberOfNotchesInReadable)
{
    for (const AxisRanges &fitted : { kFitted, AxisRanges{ 1e9, 1.1e9, 0, 2 }, AxisRanges{ -3e-7, 1e-7, 0, 0.01 } }) {
        AxisRanges view = fitted;
        const double centreX = fitted.xMin + 0.3 * (fitted.xMax - fitted.xMin), centreY = 0.7 * fitted.yMax;
        for (int notch = 0; notch < 1000; ++notch) {
            view = { centreX + (view.xMin - centreX) * 0.8, centreX + (view.xMax - centreX) * 0.8,
                     centreY + (view.yMin - centreY) * 0.8, centreY + (view.yMax - centreY) * 0.8 };
            view = BoundedZoom(view, fitted);
        }
        EXPECT_GT(view.xMax, view.xMin);
        EXPECT_GT(view.yMax, view.yMin);
        for (const auto &[min, max] : { std::pair{ view.xMin, view.xMax }, std::pair{ view.yMin, view.yMax } }) {
            const QStringList labels = Labels(TicksOver(min, max, 10, QStringLiteral(",")));
            EXPECT_GE(labels.size(), 2) << min << " " << max;
            EXPECT_EQ(QSet<QString>(labels.begin(), labels.end()).size(), labels.size());
            for (const QString &label : labels)
                EXPECT_LE(label.size(), 24) << label.toStdString();
        }
    }
}

TEST(ZoomBounds, TurnAViewWithoutNumbersIntoOne)
{
    const double nan = std::nan("");
    const AxisRanges view = BoundedZoom({ nan, nan, nan, nan }, kFitted);
    EXPECT_TRUE(std::isfinite(view.xMin) && std::isfinite(view.xMax) && view.xMax > view.xMin);
    EXPECT_TRUE(std::isfinite(view.yMin) && std::isfinite(view.yMax) && view.yMax > view.yMin);
}

} // namespace
} // namespace tarvilo
