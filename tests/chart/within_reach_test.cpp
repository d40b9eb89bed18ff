#include "ui/chart/within_reach.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace tarvilo {
namespace {

const AxisRanges kShown{ -9, 1, 0, 1.2 };

double DistanceToSegment(const QPointF &p, const QPointF &a, const QPointF &b)
{
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double t = length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
    const QPointF nearest = a + t * ab;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

double DistanceToLine(const QPointF &p, const QList<QPointF> &line)
{
    double nearest = line.size() == 1 ? std::hypot(p.x() - line[0].x(), p.y() - line[0].y()) : INFINITY;
    for (qsizetype i = 1; i < line.size(); ++i)
        nearest = std::min(nearest, DistanceToSegment(p, line[i - 1], line[i]));
    return nearest;
}

bool InShown(const QPointF &p)
{
    return p.x() >= kShown.xMin && p.x() <= kShown.xMax && p.y() >= kShown.yMin && p.y() <= kShown.yMax;
}

// Every point of `from` that can be seen lies on `onto`, to `tolerance`.
void ExpectSeenPartsOn(const QList<QPointF> &from, const QList<QPointF> &onto, double tolerance)
{
    for (qsizetype i = 1; i < from.size(); ++i) {
        for (int step = 0; step <= 400; ++step) {
            const QPointF sample = from[i - 1] + (step / 400.0) * (from[i] - from[i - 1]);
            if (InShown(sample)) {
                ASSERT_LT(DistanceToLine(sample, onto), tolerance) << sample.x() << ", " << sample.y();
            }
        }
    }
}

TEST(WithinReach, ACurveWithinReachIsDrawnAsItIs)
{
    const QList<QPointF> curve{ { -4, 0.5 }, { -3, 0.6 }, { 0, 1 }, { 0.5, 1.1 } };
    EXPECT_EQ(WithinReach(curve, ReachAround(kShown)), curve);
}

struct FarCase
{
    const char *name;
    QList<QPointF> curve;
};

class FarCurve : public ::testing::TestWithParam<FarCase>
{
};

TEST_P(FarCurve, StaysWithinReachInNumbers)
{
    const AxisRanges reach = ReachAround(kShown);
    const QList<QPointF> drawn = WithinReach(GetParam().curve, reach);
    for (const QPointF &p : drawn) {
        EXPECT_TRUE(std::isfinite(p.x()) && std::isfinite(p.y()));
        EXPECT_GE(p.x(), reach.xMin);
        EXPECT_LE(p.x(), reach.xMax);
        EXPECT_GE(p.y(), reach.yMin);
        EXPECT_LE(p.y(), reach.yMax);
    }
}

constexpr double kLargest = std::numeric_limits<double>::max();

INSTANTIATE_TEST_SUITE_P(
        Curves, FarCurve,
        ::testing::Values(
                // A load characteristic over-compensated far beyond the nose.
                FarCase{ "loadLineOffToTheLeft", { { 0, 0 }, { -2.5e34, 0.005 }, { -1e35, 0.01 }, { -4e39, 1.2 } } },
                FarCase{ "farPointInTheMiddle", { { -4, 0.5 }, { -1e30, 0.6 }, { 0, 1 } } },
                FarCase{ "outOnOneSideBackOnTheOther",
                         { { -2, 0.5 }, { -1e20, 1e20 }, { 1e20, -1e20 }, { 0.5, 0.7 } } },
                FarCase{ "aroundTheAxesWithoutCrossingThem",
                         { { -1e9, -1e9 }, { 1e9, -1e9 }, { 1e9, 1e9 }, { -1e9, 1e9 } } },
                FarCase{ "largestDoubles", { { -kLargest, kLargest }, { kLargest, -kLargest }, { 0.5, 0.5 } } },
                FarCase{ "notANumberLeftOut", { { -4, 0.5 }, { NAN, 0.6 }, { 0, 1 }, { 1e40, 1 } } },
                FarCase{ "startingFarAway", { { 1e300, 1e300 }, { -3, 0.3 }, { -1, 0.9 } } }),
        [](const auto &info) { return std::string(info.param.name); });

// A line to a point 1e39 away is cut where it leaves the reach, in its own
// direction: what shows on the axes is the same nearly level line.
TEST(WithinReach, ALineToAFarPointKeepsItsDirection)
{
    const AxisRanges reach = ReachAround(kShown);
    const QList<QPointF> drawn = WithinReach({ { 0, 0.5 }, { -1e39, 0.6 }, { 0, 1 } }, reach);
    ASSERT_GE(drawn.size(), 4);
    EXPECT_EQ(drawn.front(), QPointF(0, 0.5));
    EXPECT_EQ(drawn[1].x(), reach.xMin);
    EXPECT_NEAR(drawn[1].y(), 0.5, 1e-12);
    EXPECT_EQ(drawn[drawn.size() - 2].x(), reach.xMin);
    EXPECT_NEAR(drawn[drawn.size() - 2].y(), 1, 1e-12);
    EXPECT_EQ(drawn.back(), QPointF(0, 1));
}

// Out at the top left, round the plot and back in at the bottom right: the
// pieces are joined along the reach's edge, not straight across the axes.
TEST(WithinReach, PiecesAreJoinedAroundThePlot)
{
    const QList<QPointF> curve{ { -2, 0.5 }, { -1e6, 1e6 }, { 1e6, 1e6 }, { 1e6, -1e6 }, { 0.5, 0.7 } };
    const QList<QPointF> drawn = WithinReach(curve, ReachAround(kShown));
    ExpectSeenPartsOn(curve, drawn, 1e-6);
    ExpectSeenPartsOn(drawn, curve, 1e-6);
}

TEST(WithinReach, RandomCurvesWithFarPointsLookTheSameOnTheAxes)
{
    std::mt19937_64 random(23);
    std::uniform_real_distribution<double> near(-10, 10), exponent(0, 8);
    std::bernoulli_distribution far(0.3), negative(0.5);
    const auto coordinate = [&] {
        return far(random) ? (negative(random) ? -1 : 1) * std::pow(10.0, exponent(random)) : near(random);
    };
    for (int c = 0; c < 300; ++c) {
        QList<QPointF> curve;
        for (int i = 0; i < 12; ++i)
            curve << QPointF(coordinate(), coordinate());
        const QList<QPointF> drawn = WithinReach(curve, ReachAround(kShown));
        ExpectSeenPartsOn(curve, drawn, 1e-6);
        ExpectSeenPartsOn(drawn, curve, 1e-6);
    }
}

} // namespace
} // namespace tarvilo
