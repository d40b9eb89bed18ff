// The chart: its fixed look, and the data and scales of a run.
#include "tests/support/modal_watchdog.h"
#include "tests/support/widget_test_fixture.h"
#include "tests/support/window_commands.h"
#include "ui/chart/qv_chart_view.h"
#include "ui/chart/within_reach.h"
#include "ui/chart/styled_chart.h"
#include "tests/support/window_fixture.h"

#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QTextDocument>
#include <QLegend>
#include <QLineSeries>
#include <QPushButton>
#include <QTest>
#include <QValueAxis>

#include <algorithm>
#include <memory>
#include <vector>

using namespace tarvilo;
using namespace tarvilo::testing;

namespace {

struct SceneText
{
    QString text;
    QRectF bounds;
};

// Every visible text the chart has drawn: title, axis titles, tick labels.
std::vector<SceneText> SceneTexts(QvChartView *view)
{
    std::vector<SceneText> texts;
    for (QGraphicsItem *item : view->scene()->items()) {
        if (!item->isVisible())
            continue;
        if (auto *rich = dynamic_cast<QGraphicsTextItem *>(item)) {
            // The glyphs, without the margin the text document keeps around them.
            const qreal margin = rich->document()->documentMargin();
            texts.push_back({ rich->toPlainText(),
                              rich->mapRectToScene(rich->boundingRect().adjusted(margin, margin, -margin, -margin)) });
        } else if (auto *simple = dynamic_cast<QGraphicsSimpleTextItem *>(item)) {
            texts.push_back({ simple->text(), simple->sceneBoundingRect() });
        }
    }
    return texts;
}

QStringList TextsOf(const std::vector<SceneText> &texts)
{
    QStringList list;
    for (const SceneText &text : texts)
        list << text.text;
    return list;
}

} // namespace

class ChartTest : public WidgetTestFixture
{
    Q_OBJECT

private slots:

    void fixedLook()
    {
        MainWindow window(PointLocale());
        QvChartView *view = window.chartView();
        QChart *chart = view->chart();
        QCOMPARE(view->objectName(), QStringLiteral("grfMsChart"));
        QCOMPARE(chart->title(), QStringLiteral("Curvas Q vs. V"));
        QVERIFY(!chart->legend()->isVisible());
        QCOMPARE(view->axisX()->titleText(), QStringLiteral("Potencia reactiva en la carga [p.u.]"));
        QCOMPARE(view->axisY()->titleText(), QStringLiteral("Tensión en la carga [p.u.]"));
        for (const QFont &font : { chart->titleFont(), view->axisX()->titleFont(), view->axisY()->titleFont(),
                                   view->axisX()->labelsFont() }) {
            QCOMPARE(font.family(), QStringLiteral("Arial"));
            QCOMPARE(font.pointSize(), 8);
        }
        // The thirteen voltage labels may need a smaller size to fit, never a tiny one.
        QCOMPARE(view->axisY()->labelsFont().family(), QStringLiteral("Arial"));
        QVERIFY(view->axisY()->labelsFont().pointSizeF() <= 8);
        QVERIFY(view->axisY()->labelsFont().pointSizeF() >= 6);
        QCOMPARE(chart->axes().size(), qsizetype(2)); // no secondary axis
        // Three curves told apart by colour.
        const QColor a = view->series(Curve::LowerBranch)->pen().color(),
                     b = view->series(Curve::UpperBranch)->pen().color(),
                     c = view->series(Curve::LoadCharacteristic)->pen().color();
        QVERIFY(a != b && b != c && a != c);
    }

    void labelsFontIsTheLargestThatFits_data()
    {
        QTest::addColumn<int>("usualPoints");
        QTest::newRow("small chart") << 8;
        QTest::newRow("large chart") << 10;
        QTest::newRow("at the smallest") << 6;
    }
    void labelsFontIsTheLargestThatFits()
    {
        QFETCH(int, usualPoints);
        const QFont usual(QStringLiteral("Arial"), usualPoints);
        // Half a point less at a time until the labels fit or the smallest size is reached.
        const auto stepByStep = [&usual](qreal share) {
            QFont font = usual;
            while (QFontMetricsF(font).height() + 1 > share && font.pointSizeF() > kSmallestLabelPoints)
                font.setPointSizeF(font.pointSizeF() - 0.5);
            return font;
        };
        // Shares from none (a plot not laid out) to more than the usual size needs, a tenth of a pixel apart.
        for (int tenths = -10; tenths <= 250; ++tenths) {
            const qreal share = tenths / 10.0;
            const QFont expected = stepByStep(share);
            const QFont fitted = FittingLabelsFont(usual, share);
            QVERIFY2(fitted == expected,
                     qPrintable(QStringLiteral("share %1: %2 pt, not %3 pt")
                                        .arg(share)
                                        .arg(fitted.pointSizeF())
                                        .arg(expected.pointSizeF())));
        }
    }

    void runData_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("point") << PointLocale();
        QTest::newRow("comma") << CommaLocale();
    }
    void runData()
    {
        QFETCH(QLocale, locale);
        MainWindow window(locale);
        QvChartView *view = window.chartView();
        QCOMPARE(view->axisX()->min(), -4.0);
        QCOMPARE(view->axisX()->max(), 6.0);
        QCOMPARE(view->qvChart()->ticks(view->axisX()).size(), qsizetype(11));
        QCOMPARE(view->axisY()->min(), 0.0);
        QCOMPARE(view->axisY()->max(), 1.2);
        const QList<Tick> voltageTicks = view->qvChart()->ticks(view->axisY());
        QCOMPARE(voltageTicks.size(), qsizetype(13)); // 0 to 1.2
        QCOMPARE(voltageTicks.at(0).label, QStringLiteral("0"));
        QCOMPARE(voltageTicks.at(3).label, QStringLiteral("0") + locale.decimalPoint() + QStringLiteral("3"));

        // Cells hold the 15-digit texts; the series plot what they read as.
        const ChartGrid &grid = view->grid();
        const RegionalSettings regional = RegionalOf(locale);
        const QString sep = locale.decimalPoint();
        QCOMPARE(grid.text(0, 0, regional), "5" + sep + "03842133333333");
        QCOMPARE(grid.text(299, 5, regional), "0" + sep + "00500000000000984");
        QCOMPARE(grid.text(299, 4, regional), "-4" + sep + "16250000001638E-05");
        for (const Curve curve : kCurves) {
            const int i = static_cast<int>(curve);
            QLineSeries *series = view->series(curve);
            QCOMPARE(series->count(), 300);
            for (int row = 0; row < 300; row += 37) {
                QCOMPARE(series->at(row).x(), grid.value(row, 2 * i));
                QCOMPARE(series->at(row).y(), grid.value(row, 2 * i + 1));
            }
        }
        // Row 1: both branches start at the nose; the lower branch is drawn first.
        QCOMPARE(view->chart()->series().first(), view->series(Curve::LowerBranch));
        QCOMPARE(view->series(Curve::LowerBranch)->at(0), view->series(Curve::UpperBranch)->at(0));
        QCOMPARE(view->series(Curve::LowerBranch)->at(299).y(), 0.357275711446876);
        QCOMPARE(view->series(Curve::UpperBranch)->at(299).y(), 1.21121789369631);
        QCOMPARE(view->series(Curve::LoadCharacteristic)->at(0), QPointF(-3.74625, 1.5));
    }

    // The chart draws no line that runs millions of pixels off the plot and
    // shows the one drawn before instead: the earlier case's curve stayed.
    void aLineFarOffThePlotReplacesTheEarlierOne()
    {
        MainWindow window(PointLocale());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QvChartView *view = window.chartView();
        const QList<QPointF> before = view->series(Curve::LoadCharacteristic)->points();
        m_watchdog->expect();
        window.inputBox(InputBox::Qcap)->setText(QStringLiteral("1e39"));
        Calculate(window);
        const AxisRanges reach =
                ReachAround({ view->axisX()->min(), view->axisX()->max(), view->axisY()->min(), view->axisY()->max() });
        const QList<QPointF> drawn = view->series(Curve::LoadCharacteristic)->points();
        // Every point of it lies beyond -2e34 p.u.: nothing of it can be seen.
        QVERIFY(drawn != before);
        for (const QPointF &point : drawn) {
            QVERIFY2(point.x() >= reach.xMin && point.x() <= reach.xMax && point.y() >= reach.yMin
                             && point.y() <= reach.yMax,
                     qPrintable(QStringLiteral("%1, %2").arg(point.x()).arg(point.y())));
        }
    }

    void tickLabelsUseTheRegionalSeparatorWithoutGrouping()
    {
        MainWindow window(CommaLocale());
        window.resize(600, 520);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QStringList texts = TextsOf(SceneTexts(window.chartView()));
        QVERIFY2(texts.contains(QStringLiteral("1,2")), qPrintable(texts.join(QLatin1Char('|'))));
        QVERIFY(texts.contains(QStringLiteral("-4")));

        // A scale near the top of the range: 32757 to 32767, no "32.767".
        SetInputs(window,
                  { QStringLiteral("0,00000762976"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("0"),
                    QStringLiteral("0"), QStringLiteral("0") });
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("cmdCalcular")), Qt::LeftButton);
        QCOMPARE(window.chartView()->axisX()->max(), 32767.0);
        QCoreApplication::processEvents();
        texts = TextsOf(SceneTexts(window.chartView()));
        QVERIFY2(texts.contains(QStringLiteral("32767")), qPrintable(texts.join(QLatin1Char('|'))));
    }

    void voltageAxisShowsEveryDivisionWhole_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("point") << PointLocale();
        QTest::newRow("comma") << CommaLocale();
    }
    void voltageAxisShowsEveryDivisionWhole()
    {
        // 0 to 1.2 in twelve divisions at the chart's fixed size: each label
        // shown whole, none cut to "...", none hidden over its neighbour.
        QFETCH(QLocale, locale);
        MainWindow window(locale);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        QvChartView *view = window.chartView();
        const std::vector<SceneText> texts = SceneTexts(view);
        const QString sep = locale.decimalPoint();
        QStringList expected{ QStringLiteral("0") };
        for (int tenths = 1; tenths <= 12; ++tenths) {
            expected << QString::number(tenths / 10) + sep + QString::number(tenths % 10);
        }
        qreal previousTop = 1e9;
        for (int i = 0; i < expected.size(); ++i) {
            const auto found = std::find_if(texts.begin(), texts.end(), [&](const SceneText &t) {
                return t.text == expected[i] && t.bounds.right() <= view->qvChart()->plotArea().left() + 1;
            });
            QVERIFY2(found != texts.end(), qPrintable(expected[i] + " | " + TextsOf(texts).join(QLatin1Char('|'))));
            // At its division, above the label below it.
            const qreal y = view->qvChart()->mapToPosition(QPointF(0, i / 10.0)).y();
            QVERIFY2(found->bounds.top() <= y && found->bounds.bottom() >= y, qPrintable(expected[i]));
            QVERIFY2(found->bounds.bottom() <= previousTop + 0.5, qPrintable(expected[i]));
            QVERIFY2(found->bounds.height() >= 7, qPrintable(expected[i])); // readable, not a speck
            previousTop = found->bounds.top();
        }
    }

    void tickLabelsUseAsciiDigitsUnderArabicSettings()
    {
        // Qt would paint Arabic-Indic digits next to the labels' ASCII ones.
        MainWindow window(QLocale(QLocale::Arabic, QLocale::Egypt));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        const QStringList texts = TextsOf(SceneTexts(window.chartView()));
        const QString all = texts.join(QLatin1Char('|'));
        QVERIFY2(texts.contains(QStringLiteral("1\u066B2")) && texts.contains(QStringLiteral("-4")), qPrintable(all));
        for (const QChar c : all)
            QVERIFY2(!c.isDigit() || c.unicode() < 0x80, qPrintable(all));
    }

    void titlesAndTickLabelsAreNotCutOff()
    {
        MainWindow window(PointLocale());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRectF visible = window.chartView()->mapToScene(window.chartView()->viewport()->rect()).boundingRect();
        const std::vector<SceneText> texts = SceneTexts(window.chartView());
        QVERIFY(texts.size() >= 3 + 11 + 13);
        for (const SceneText &text : texts) {
            if (text.text.isEmpty())
                continue;
            QVERIFY2(!text.text.contains(QStringLiteral("...")) && !text.text.contains(QChar(0x2026)),
                     qPrintable(text.text));
            QVERIFY2(visible.contains(text.bounds), qPrintable(text.text));
        }
    }

    void tickLabelsFitAtEveryScale_data()
    {
        // With Uinf 1 and no load, Q2crit = (1 - 4 X^2 Pcarga^2) / (4 X).
        QTest::addColumn<QString>("reactance");
        QTest::addColumn<QString>("pcarga");
        QTest::addColumn<QString>("lowest");
        QTest::addColumn<QString>("highest");
        QTest::addColumn<bool>("solution");
        QTest::newRow("-9 to 1") << "0.5"
                                 << "0"
                                 << "-9"
                                 << "1" << true;
        QTest::newRow("-4 to 6") << "0.05"
                                 << "0"
                                 << "-4"
                                 << "6" << true;
        QTest::newRow("90 to 100") << "0.002525"
                                   << "0"
                                   << "90"
                                   << "100" << true;
        QTest::newRow("16 to 26") << "0.01"
                                  << "0"
                                  << "16"
                                  << "26" << true;
        QTest::newRow("241 to 251") << "0.001"
                                    << "0"
                                    << "241"
                                    << "251" << true;
        QTest::newRow("2491 to 2501") << "0.0001"
                                      << "0"
                                      << "2491"
                                      << "2501" << true;
        QTest::newRow("32757 to 32767") << "0.00000762976"
                                        << "0"
                                        << "32757"
                                        << "32767" << true;
        QTest::newRow("-109 to -99") << "1"
                                     << "10.0125"
                                     << "-109"
                                     << "-99" << false;
        QTest::newRow("-32768 to -32758") << "1"
                                          << "180.99627"
                                          << "-32768"
                                          << "-32758" << false;
    }
    void tickLabelsFitAtEveryScale()
    {
        QFETCH(QString, reactance);
        QFETCH(QString, pcarga);
        QFETCH(QString, lowest);
        QFETCH(QString, highest);
        QFETCH(bool, solution);
        MainWindow window(PointLocale());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        m_watchdog->clear();
        if (!solution)
            m_watchdog->expect();
        SetInputs(window, { reactance, "0", "1", pcarga, "0", "0" });
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("cmdCalcular")), Qt::LeftButton);
        QCoreApplication::processEvents();
        const std::vector<SceneText> texts = SceneTexts(window.chartView());
        const QStringList all = TextsOf(texts);
        QVERIFY2(all.contains(lowest) && all.contains(highest), qPrintable(all.join(QLatin1Char('|'))));
        // No label leaves the chart, and the eleven tick labels of the
        // reactive-power axis stand apart.
        const QRectF visible = window.chartView()->mapToScene(window.chartView()->viewport()->rect()).boundingRect();
        std::vector<QRectF> ticks;
        QvChart *shown = window.chartView()->qvChart();
        const qreal plotBottom = shown->mapToScene(shown->plotArea()).boundingRect().bottom();
        for (const SceneText &text : texts) {
            QVERIFY2(visible.contains(text.bounds), qPrintable(text.text));
            bool integer = false;
            const int value = text.text.toInt(&integer);
            const bool below = text.bounds.top() >= plotBottom; // not the voltage axis' "0"
            if (integer && below && value >= lowest.toInt() && value <= highest.toInt())
                ticks.push_back(text.bounds);
        }
        QCOMPARE(ticks.size(), size_t(11));
        // Up to three characters stand level side by side; longer ones upright.
        const bool upright = std::max(lowest.size(), highest.size()) > 3;
        QCOMPARE(window.chartView()->axisX()->labelsAngle(), upright ? -90 : 0);
        // And they are painted: dark pixels where the tick labels of both
        // axes stand, after the scale changed (cached pixmaps must follow).
        const QImage painted = window.chartView()->grab().toImage();
        const QRectF plot = window.chartView()->chart()->plotArea();
        auto darkPixels = [&painted](const QRect &area) {
            int dark = 0;
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x <= area.right(); ++x)
                    dark += qGray(painted.pixel(x, y)) < 110;
            }
            return dark;
        };
        const QRect yLabels(int(plot.left()) - 22, int(plot.top()), 18, int(plot.height()));
        const QRect xLabels(int(plot.left()), int(plot.bottom()) + 4, int(plot.width()), 12);
        QVERIFY2(darkPixels(yLabels) > 60, "voltage tick labels not painted");
        QVERIFY2(darkPixels(xLabels) > 40, "reactive-power tick labels not painted");
        for (size_t i = 0; i < ticks.size(); ++i) {
            for (size_t j = i + 1; j < ticks.size(); ++j)
                QVERIFY(!ticks[i].intersects(ticks[j]));
        }
    }

    void appearanceSurvivesRuns()
    {
        MainWindow window(PointLocale());
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("cmdCalcular")), Qt::LeftButton);
        }
        QCOMPARE(window.chartView()->chart()->title(), QStringLiteral("Curvas Q vs. V"));
        QVERIFY(!window.chartView()->chart()->legend()->isVisible());
        QCOMPARE(window.chartView()->chart()->axes().size(), qsizetype(2));
    }
};

QTEST_MAIN(ChartTest)
#include "chart_test.moc"
