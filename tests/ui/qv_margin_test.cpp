// The Q-V method's margin beside the program's: on the large chart, in the
// hover readout, in the chart's description and in the copied results; and
// the large chart's system curve reaching operating points far below its sweep.
#include "tests/support/modal_watchdog.h"
#include "tests/support/widget_test_fixture.h"
#include "tests/support/window_fixture.h"
#include "ui/chart/chart_hover.h"
#include "ui/chart/large_chart_view.h"
#include "ui/chart/qv_chart_view.h"
#include "ui/large_chart/large_chart_window.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineSeries>
#include <QPushButton>
#include <QTest>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace tarvilo;
using namespace tarvilo::testing;

class QvMarginTest : public WidgetTestFixture
{
    Q_OBJECT

private:
    static LargeChartWindow *OpenLargeChart(MainWindow &window)
    {
        window.findChild<QAction *>(QStringLiteral("mnuGraficoAmpliado"))->trigger();
        return window.largeChart();
    }
    void calculate(MainWindow &window, const QStringList &texts, int boxes)
    {
        SetInputs(window, texts);
        m_watchdog->expect(boxes);
        window.findChild<QPushButton *>(QStringLiteral("cmdCalcular"))->click();
        QTRY_VERIFY(m_watchdog->sawAllExpected());
    }
    static QStringList CopiedResults(MainWindow &window)
    {
        window.findChild<QAction *>(QStringLiteral("mnuCopiarResultados"))->trigger();
        return QGuiApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private slots:
    void theLargeChartMarksTheLargestDistance_data()
    {
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<int>("boxes");
        QTest::addColumn<double>("margin");
        QTest::addColumn<double>("voltage");
        QTest::addColumn<QString>("margenQ2");
        QTest::newRow("default") << QStringList{ "0.03", "3.33", "1", "10.48", "0", "0" } << 0 << 5.64113702274201767040
                                 << 0.613046909935654250 << "5.6193";
        QTest::newRow("two points, negative Margen Q2")
                << QStringList{ "0.2979", "0", "1.148", "1.9723", "1.2015", "1.493" } << 0 << 0.302226357626527830647
                << 1.15354881470820358 << "-.0918";
    }

    void theLargeChartMarksTheLargestDistance()
    {
        QFETCH(QStringList, inputs);
        QFETCH(int, boxes);
        QFETCH(double, margin);
        QFETCH(double, voltage);
        QFETCH(QString, margenQ2);
        MainWindow window(PointLocale());
        calculate(window, inputs, boxes);
        QCOMPARE(window.resultLabel(ResultLabel::MargenQ2)->text(), margenQ2);
        LargeChartWindow *large = OpenLargeChart(window);
        QvChart *plot = large->view()->qvChart();
        QXYSeries *segment = plot->mark(Mark::QvMargin);
        QVERIFY(segment);
        QCOMPARE(segment->count(), 2);
        QCOMPARE(segment->name(), QStringLiteral("Margen QV"));
        // Horizontal at the voltage of the largest distance, as long as the margin.
        QVERIFY(std::abs(segment->at(0).y() - voltage) < 1e-12);
        QCOMPARE(segment->at(1).y(), segment->at(0).y());
        QVERIFY(std::abs(segment->at(1).x() - segment->at(0).x() - margin) < 1e-12);
        // It starts on the load characteristic: Qcarga - Beq V^2.
        const double beq = inputs.at(5).toDouble() + inputs.at(1).toDouble() / 2;
        QVERIFY(std::abs(segment->at(0).x() - (inputs.at(4).toDouble() - beq * voltage * voltage)) < 1e-12);
        // The main chart draws no such mark.
        QVERIFY(!window.chartView()->qvChart()->mark(Mark::QvMargin));

        // The hover readout over the middle of the segment.
        large->resize(900, 700);
        large->show();
        QVERIFY(QTest::qWaitForWindowExposed(large));
        // Zoomed onto the segment, away from the curves' points at its ends.
        ShowRanges(*plot, { segment->at(0).x() - margin, segment->at(1).x() + margin, voltage - 0.05, voltage + 0.05 });
        const QPointF middle = (segment->at(0) + segment->at(1)) / 2;
        const QString hover = HoverTextAt(*plot, plot->mapToScene(plot->mapToPosition(middle, segment)));
        QVERIFY2(hover.startsWith(QStringLiteral("Margen QV = ")), qPrintable(hover));

        // In words and among the copied results.
        QVERIFY(window.chartView()->accessibleDescription().contains(QStringLiteral("Margen QV, la mayor distancia")));
        QVERIFY(CopiedResults(window).last().startsWith(QStringLiteral("Margen QV\t")));
    }

    void withoutAMaximumItSaysSo()
    {
        // X Beq = 1.5: the run completes, the distance grows without bound.
        MainWindow window(PointLocale());
        calculate(window, { "0.5", "0", "1", "0.5", "0", "3" }, 0);
        QVERIFY2(window.chartView()->accessibleDescription().contains(QStringLiteral("Margen QV sin máximo")),
                 qPrintable(window.chartView()->accessibleDescription()));
        QCOMPARE(CopiedResults(window).last(), QStringLiteral("Margen QV\tSin máximo\tp.u."));
        LargeChartWindow *large = OpenLargeChart(window);
        QCOMPARE(large->view()->qvChart()->mark(Mark::QvMargin)->count(), 0);
    }

    void aNegativeReactanceHasNoMarginLine()
    {
        // The run stops at the system sweep with its fault box.
        MainWindow window(PointLocale());
        calculate(window, { "-0.03", "3.33", "1", "10.48", "0", "0" }, 1);
        const QStringList lines = CopiedResults(window);
        QCOMPARE(lines.front(), QStringLiteral("Reactancia X\t-0.03\tp.u."));
        for (const QString &line : lines)
            QVERIFY2(!line.startsWith(QStringLiteral("Margen QV")), qPrintable(line));
    }

    void theLargeChartsCurveReachesItsPoints_data()
    {
        QTest::addColumn<QStringList>("inputs");
        // X 0.01: the points lie far below the run's sweep; X 5 and 50: the
        // whole curve lies within a step or two of 0.05 below the nose.
        QTest::newRow("points below the sweep") << QStringList{ "0.01", "3.33", "1", "10.48", "0", "0" };
        QTest::newRow("X 5") << QStringList{ "5", "0", "1", "0.04", "0", "0" };
        QTest::newRow("X 50 with a bank") << QStringList{ "50", "0.0004", "1.05", "0.006", "0.0002", "0.002" };
    }

    void theLargeChartsCurveReachesItsPoints()
    {
        QFETCH(QStringList, inputs);
        MainWindow window(PointLocale());
        calculate(window, inputs, 0);
        LargeChartWindow *large = OpenLargeChart(window);
        QvChart *plot = large->view()->qvChart();
        const ChartMarks &marks = plot->marks();
        QVERIFY(marks.hasSolution);
        for (const QPointF &point : { marks.upper, marks.lower, marks.nose }) {
            QVERIFY(point.x() >= plot->axisX()->min() && point.x() <= plot->axisX()->max());
            QVERIFY(point.y() >= plot->axisY()->min() && point.y() <= plot->axisY()->max());
            // A drawn branch passes within a pixel of the mark at the fitted view.
            const QPointF at = plot->mapToPosition(point);
            double nearest = INFINITY;
            for (const Curve branch : { Curve::UpperBranch, Curve::LowerBranch }) {
                const QList<QPointF> points = plot->curve(branch)->points();
                for (qsizetype i = 1; i < points.size(); ++i) {
                    const QPointF a = points[i - 1], b = points[i];
                    if ((a.x() - point.x()) * (b.x() - point.x()) > 0 || a.x() == b.x())
                        continue;
                    const double v = a.y() + (b.y() - a.y()) * (point.x() - a.x()) / (b.x() - a.x());
                    nearest = std::min(nearest, std::abs(plot->mapToPosition(QPointF(point.x(), v)).y() - at.y()));
                }
            }
            QVERIFY2(nearest < 1,
                     qPrintable(QStringLiteral("%1 %2: %3 px").arg(point.x()).arg(point.y()).arg(nearest)));
        }
        // The main chart and its grid keep the run's sweep.
        QCOMPARE(window.chartView()->qvChart()->grid().value(299, 0), plot->grid().value(299, 0));
        QCOMPARE(window.chartView()->qvChart()->curve(Curve::UpperBranch)->count(), qsizetype(kCurvePoints));
    }
};

QTEST_MAIN(QvMarginTest)
#include "qv_margin_test.moc"
