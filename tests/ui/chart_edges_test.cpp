// The charts at their edges: ticks for any range, a bounded zoom, readouts
// inside the chart, kept cases told apart, Arabic settings.
#include "tests/support/modal_watchdog.h"
#include "tests/support/widget_test_fixture.h"
#include "tests/support/window_commands.h"
#include "tests/support/window_fixture.h"
#include "ui/chart/large_chart_view.h"
#include "ui/chart/qv_chart_view.h"
#include "ui/chart/xy_chart_view.h"
#include "ui/family/family_window.h"
#include "ui/large_chart/large_chart_window.h"
#include "ui/pv_curve/pv_curve_window.h"

#include <QAction>
#include <QApplication>
#include <QCategoryAxis>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QRubberBand>
#include <QSet>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <cmath>
#include <memory>
#include <utility>

using namespace tarvilo;
using namespace tarvilo::testing;

namespace {

// The labels an axis of the chart carries.
QStringList AxisLabels(const QChart *chart, Qt::Orientation orientation)
{
    auto *axis = qobject_cast<QCategoryAxis *>(chart->axes(orientation).value(0));
    return axis ? axis->categoriesLabels() : QStringList();
}

// Few, distinct, short labels in ASCII digits.
bool Readable(const QStringList &labels, QString &why)
{
    why = labels.join(QLatin1Char('|'));
    if (labels.size() < 2 || labels.size() > kMaxTicks + 1)
        return false;
    if (QSet<QString>(labels.begin(), labels.end()).size() != labels.size())
        return false;
    for (const QString &label : labels) {
        if (label.size() > 24)
            return false;
        for (const QChar c : label) {
            if (c.isDigit() && c.unicode() >= 0x80)
                return false;
        }
    }
    return true;
}

// Each label across has room in its share of the axis: Qt cuts a longer
// one to "...". (Each label gets an equal share, one more than there are.)
bool FitAcross(const QChart *chart, QString &why)
{
    const QStringList labels = AxisLabels(chart, Qt::Horizontal);
    const QFontMetricsF metrics(chart->axes(Qt::Horizontal).value(0)->labelsFont());
    const qreal share = chart->plotArea().width() / (labels.size() + 1);
    why = labels.join(QLatin1Char('|')) + QStringLiteral(" share %1").arg(share);
    for (const QString &label : labels) {
        if (metrics.horizontalAdvance(label) + 8 > share)
            return false;
    }
    return true;
}

// The window still handles events: a queued call comes through.
bool Answers()
{
    bool answered = false;
    QTimer::singleShot(0, qApp, [&answered] { answered = true; });
    for (int pass = 0; pass < 50 && !answered; ++pass)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    return answered;
}

void Wheel(QWidget *viewport, int notches)
{
    const QPoint at(viewport->width() / 3, viewport->height() / 4);
    QWheelEvent wheel(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &wheel);
}

void MoveMouse(QGraphicsView *view, const QPointF &scenePosition)
{
    const QPointF at = view->mapFromScene(scenePosition);
    QMouseEvent move(QEvent::MouseMove, at, view->viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &move);
}

// The four charts a mouse reaches: the main chart, the large chart, the
// family chart and the P-V chart.
enum class ChartKind { Main, Large, Family, PvCurve };

QGraphicsView *OpenChart(MainWindow &window, ChartKind kind)
{
    switch (kind) {
    case ChartKind::Main:
        window.show();
        return window.chartView();
    case ChartKind::Large:
        Trigger(window, "mnuGraficoAmpliado");
        return window.largeChart()->view();
    case ChartKind::Family:
        Trigger(window, "mnuFamilia");
        return window.familyWindow()->chartView();
    case ChartKind::PvCurve:
        break;
    }
    Trigger(window, "mnuCurvaPV");
    return window.pvCurveWindow()->chartView();
}

// The large chart opened from the window and shown; null if it never showed.
LargeChartView *OpenLargeChart(MainWindow &window)
{
    Trigger(window, "mnuGraficoAmpliado");
    return QTest::qWaitForWindowExposed(window.largeChart()) ? window.largeChart()->view() : nullptr;
}

// Plays a mouse sequence on a chart: steps separated by blanks, each an
// action (p press, r release, l a release the view never gets, as when a
// menu has taken the mouse, d double click, m move), for all but a move a
// button (L, R, M), then where: i in the middle of the plot, o outside the
// view, e on its edge, f far past its lower right corner. "pLi mo pRo" holds
// the left button down inside, goes out and presses the right one there.
// Presses and releases are Qt Test's; a move is sent to the view itself,
// with the buttons held, wherever the cursor of the screen is.
void PlayMouse(QGraphicsView *view, const QString &steps)
{
    QWidget *viewport = view->viewport();
    const QChart *chart = static_cast<QChartView *>(view)->chart();
    const QPoint inside = view->mapFromScene(chart->mapToScene(chart->plotArea().center()));
    Qt::MouseButtons held;
    for (const QString &step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QChar place = step.back();
        const QPoint at = place == QLatin1Char('i') ? inside
                : place == QLatin1Char('e')         ? QPoint(viewport->width() - 1, 0)
                : place == QLatin1Char('f')         ? QPoint(viewport->width() + 40, viewport->height() + 40)
                                                    : QPoint(viewport->width() + 40, -25);
        const QChar action = step.front();
        if (action == QLatin1Char('m')) {
            QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton, held, Qt::NoModifier);
            QApplication::sendEvent(viewport, &move);
            continue;
        }
        const QChar letter = step.at(1);
        const Qt::MouseButton button = letter == QLatin1Char('L') ? Qt::LeftButton
                : letter == QLatin1Char('R')                      ? Qt::RightButton
                                                                  : Qt::MiddleButton;
        if (action == QLatin1Char('p')) {
            QTest::mousePress(viewport, button, Qt::NoModifier, at);
            held |= button;
        } else if (action == QLatin1Char('r')) {
            QTest::mouseRelease(viewport, button, Qt::NoModifier, at);
            held &= ~button;
        } else if (action == QLatin1Char('l')) {
            QTest::mouseRelease(view->window(), button, Qt::NoModifier, at);
            held &= ~button;
        } else {
            QTest::mouseDClick(viewport, button, Qt::NoModifier, at);
        }
    }
}

} // namespace

Q_DECLARE_METATYPE(ChartKind)

class ChartEdgesTest : public WidgetTestFixture
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        QLocale::setDefault(QLocale::c()); // one test changes Qt's default
        WidgetTestFixture::cleanup();
    }

    // Any sequence of presses, releases and moves, inside a chart or out of
    // it, leaves every chart working, with no band left drawn once every
    // button is up.
    void anyMouseSequenceIsHarmless_data()
    {
        QTest::addColumn<ChartKind>("kind");
        QTest::addColumn<QString>("steps");
        const QStringList sequences = {
            "pLi mo pRo rRo rLo", // the left held out of the window, then the right pressed
            "pLi mo pRo rLo rRo", // released in the other order
            "pLi mo pMo rMo rLo", // the middle button
            "pRi mo pLo rLo rRo", // the right held, the left pressed outside
            "pLo rLo pRo rRo pMo rMo", // each button outside alone
            "pLi pRi mo rRo rLo", // both pressed inside, released outside
            "pLi mo rLo mi pRi rRi", // a band ended outside, then a right click
            "pLe me pRo rRe rLe", // on the view's edge
            "dLo dRo pLi dLo rLo", // double clicks outside, one with the left held
            "pLi mi rLi pRi rRi", // a band of no size, a right click
            "rLo rRi pRo mi rRi", // releases of buttons never pressed
            "pLi mi pRi rRi lLi mi", // a right click during a band, whose menu takes the left release
        };
        const std::pair<ChartKind, const char *> kinds[] = { { ChartKind::Main, "main" },
                                                             { ChartKind::Large, "large" },
                                                             { ChartKind::Family, "family" },
                                                             { ChartKind::PvCurve, "P-V" } };
        for (const auto &[kind, name] : kinds) {
            for (const QString &steps : sequences)
                QTest::addRow("%s: %s", name, qPrintable(steps)) << kind << steps;
        }
    }
    void anyMouseSequenceIsHarmless()
    {
        QFETCH(ChartKind, kind);
        QFETCH(QString, steps);
        MainWindow window(PointLocale());
        QGraphicsView *view = OpenChart(window, kind);
        QVERIFY(QTest::qWaitForWindowExposed(view->window()));
        PlayMouse(view, steps);
        QVERIFY(Answers());
        for (const QRubberBand *band : view->findChildren<QRubberBand *>())
            QVERIFY(!band->isVisible());
        if (kind == ChartKind::Large) {
            const AxisRanges ranges = RangesOf(*window.largeChart()->view()->qvChart());
            QVERIFY(ranges.xMin < ranges.xMax && ranges.yMin < ranges.yMax);
            QVERIFY(std::isfinite(ranges.xMax - ranges.xMin) && std::isfinite(ranges.yMax - ranges.yMin));
        }
        // The chart still reads the point under the cursor.
        PlayMouse(view, QStringLiteral("mi"));
        const QString hover = static_cast<StyledChart *>(static_cast<QChartView *>(view)->chart())->hoverText();
        QVERIFY2(hover.contains(QStringLiteral(" = ")), qPrintable(hover));
    }

    void largeChartZoomIsBoundedBothWays()
    {
        MainWindow window(PointLocale());
        LargeChartView *view = OpenLargeChart(window);
        QVERIFY(view);
        const AxisRanges fitted = RangesOf(*view->qvChart());
        QString why;
        for (int notch = 0; notch < 10000; ++notch)
            Wheel(view->viewport(), -1);
        QVERIFY(Answers());
        const AxisRanges out = RangesOf(*view->qvChart());
        QVERIFY(out.xMax - out.xMin <= 4 * (fitted.xMax - fitted.xMin) * (1 + 1e-12));
        QVERIFY(out.yMin >= 0); // no negative voltages
        QVERIFY2(Readable(AxisLabels(view->qvChart(), Qt::Horizontal), why), qPrintable(why));
        QVERIFY2(Readable(AxisLabels(view->qvChart(), Qt::Vertical), why), qPrintable(why));

        for (int notch = 0; notch < 1000; ++notch)
            Wheel(view->viewport(), 1);
        QVERIFY(Answers());
        const AxisRanges in = RangesOf(*view->qvChart());
        QVERIFY(in.xMax > in.xMin && in.yMax > in.yMin);
        QVERIFY2(Readable(AxisLabels(view->qvChart(), Qt::Horizontal), why), qPrintable(why));
        QVERIFY2(Readable(AxisLabels(view->qvChart(), Qt::Vertical), why), qPrintable(why));
        QVERIFY2(FitAcross(view->qvChart(), why), qPrintable(why));
        view->viewport()->repaint();
        QVERIFY(Answers());

        // A band drawn by Qt's own zoom is held within the bounds as well.
        for (int zoom = 0; zoom < 200; ++zoom)
            view->qvChart()->zoomOut();
        QVERIFY(Answers());
        const AxisRanges band = RangesOf(*view->qvChart());
        QVERIFY(band.xMax - band.xMin <= 4 * (fitted.xMax - fitted.xMin) * (1 + 1e-12));
        QTest::keyClick(view, Qt::Key_Escape);
        QCOMPARE(RangesOf(*view->qvChart()), fitted);
    }

    // A band from the middle of the plot to far past its corner zooms to the
    // plot's lower right quarter, not beyond what was shown.
    void aBandDraggedPastThePlotEndsAtItsEdge()
    {
        MainWindow window(PointLocale());
        LargeChartView *view = OpenLargeChart(window);
        QVERIFY(view);
        const AxisRanges fitted = RangesOf(*view->qvChart());
        PlayMouse(view, QStringLiteral("pLi mf rLf"));
        QCoreApplication::processEvents();
        const AxisRanges zoomed = RangesOf(*view->qvChart());
        const double middleX = (fitted.xMin + fitted.xMax) / 2;
        const double middleY = (fitted.yMin + fitted.yMax) / 2;
        const double pixel = (fitted.xMax - fitted.xMin) / 200; // a few pixels of the plot
        QVERIFY2(std::abs(zoomed.xMin - middleX) < pixel && std::abs(zoomed.xMax - fitted.xMax) < pixel,
                 qPrintable(QStringLiteral("%1 %2").arg(zoomed.xMin).arg(zoomed.xMax)));
        const double pixelY = (fitted.yMax - fitted.yMin) / 200;
        QVERIFY2(std::abs(zoomed.yMax - middleY) < pixelY && std::abs(zoomed.yMin - fitted.yMin) < pixelY,
                 qPrintable(QStringLiteral("%1 %2").arg(zoomed.yMin).arg(zoomed.yMax)));
    }

    // A notch forward narrows both spans about the cursor, a notch back widens them.
    void largeChartWheelNotchZoomsInOrOut()
    {
        MainWindow window(PointLocale());
        LargeChartView *view = OpenLargeChart(window);
        QVERIFY(view);
        const AxisRanges fitted = RangesOf(*view->qvChart());
        for (const int notch : { 1, -1 }) {
            view->fitAll();
            Wheel(view->viewport(), notch);
            QVERIFY(Answers());
            const AxisRanges zoomed = RangesOf(*view->qvChart());
            const double across = (zoomed.xMax - zoomed.xMin) / (fitted.xMax - fitted.xMin);
            const double up = (zoomed.yMax - zoomed.yMin) / (fitted.yMax - fitted.yMin);
            const double expected = notch > 0 ? 0.8 : 1.25;
            QVERIFY2(std::abs(across - expected) < 1e-9 && std::abs(up - expected) < 1e-9,
                     qPrintable(QStringLiteral("notch %1: %2 across, %3 up").arg(notch).arg(across).arg(up)));
        }
    }

    // The fitted view shows a kept case where it reaches beyond the current curves.
    void largeChartFitsTheKeptCases()
    {
        // The default case, kept, reaches twice as far in Q2 and higher in V2.
        const QStringList current{ "0.06", "3.33", "0.9", "5", "0", "0" };
        MainWindow alone(PointLocale());
        SetInputs(alone, current);
        Calculate(alone);
        Trigger(alone, "mnuGraficoAmpliado");
        const AxisRanges without = RangesOf(*alone.largeChart()->view()->qvChart());

        MainWindow window(PointLocale());
        Trigger(window, "mnuGraficoAmpliado");
        Trigger(window, "mnuConservarCurvas");
        SetInputs(window, current);
        Calculate(window);
        QvChart *plot = window.largeChart()->view()->qvChart();
        QCOMPARE(plot->keptCases().size(), size_t(1));
        const AxisRanges fitted = RangesOf(*plot);
        bool beyond = false;
        for (const QLineSeries *series : plot->keptSeries()) {
            for (const QPointF &point : series->points()) {
                beyond = beyond || point.x() > without.xMax || point.y() > without.yMax;
                QVERIFY(point.x() >= fitted.xMin && point.x() <= fitted.xMax);
                QVERIFY(point.y() >= fitted.yMin && point.y() <= fitted.yMax);
            }
        }
        QVERIFY(beyond);
    }

    void rangeChangesNeverAskForManyTicks_data()
    {
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("second");
        QTest::newRow("small Pmax then the default case")
                << QStringList{ "0.03", "3.33", "1", "1e-6", "1", "0" } << QStringList();
        QTest::newRow("X 0.5 then X 0.0001") << QStringList{ "0.5", "0", "1", "0.5", "0.5", "0" }
                                             << QStringList{ "0.0001", "0", "1", "0.5", "0.5", "0" };
    }
    void rangeChangesNeverAskForManyTicks()
    {
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        MainWindow window(PointLocale());
        Trigger(window, "mnuCurvaPV");
        Trigger(window, "mnuGraficoAmpliado");
        PvCurveWindow *pv = window.pvCurveWindow();
        m_watchdog->expect(100); // whatever the runs say; what counts is that they end
        for (const QStringList &inputs : { first, second }) {
            if (inputs.isEmpty()) {
                window.findChild<QPushButton *>(QStringLiteral("cmdValoresDefault"))->click();
            } else {
                SetInputs(window, inputs);
                Calculate(window);
            }
            QVERIFY(Answers());
            pv->chartView()->viewport()->repaint();
            window.largeChart()->view()->viewport()->repaint();
            QVERIFY(Answers());
            for (const QChart *chart : { static_cast<const QChart *>(pv->chartView()->styledChart()),
                                         static_cast<const QChart *>(window.largeChart()->view()->qvChart()) }) {
                for (const Qt::Orientation orientation : { Qt::Horizontal, Qt::Vertical }) {
                    QVERIFY(AxisLabels(chart, orientation).size() <= kMaxTicks + 1);
                }
            }
        }
        m_watchdog->clear();
    }

    void familyOfTinyReactancesIsDrawn()
    {
        MainWindow window(PointLocale());
        Trigger(window, "mnuFamilia");
        FamilyWindow *family = window.familyWindow();
        // Drawn on opening, before it showed: one entry per value and the
        // points, none for the load characteristics.
        QVERIFY(QTest::qWaitForWindowExposed(family));
        QCOMPARE(family->chartView()->legendNames().size(), qsizetype(6));
        family->findChild<QComboBox *>(QStringLiteral("cboMagnitud"))->setCurrentIndex(0); // X
        family->findChild<QLineEdit *>(QStringLiteral("txtPrimero"))->setText(QStringLiteral("1e-6"));
        family->findChild<QLineEdit *>(QStringLiteral("txtUltimo"))->setText(QStringLiteral("1e-5"));
        family->cmdDibujar_Click();
        QVERIFY(QTest::qWaitForWindowExposed(family));
        // One entry per value and the points: no entries for the load characteristics.
        QCOMPARE(family->chartView()->legendNames().size(), qsizetype(6));
        family->chartView()->viewport()->repaint();
        QVERIFY(Answers());
        QString why;
        QVERIFY2(Readable(AxisLabels(family->chartView()->styledChart(), Qt::Horizontal), why), qPrintable(why));
        QVERIFY2(Readable(AxisLabels(family->chartView()->styledChart(), Qt::Vertical), why), qPrintable(why));
    }

    void hoverReadoutStaysInsideEveryChart()
    {
        MainWindow window(CommaLocale());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // The main chart, near its upper operating point (right edge of the plot).
        QvChart *plot = window.chartView()->qvChart();
        const QPointF upper = plot->marks().upper;
        QTest::mouseMove(window.chartView()->viewport(),
                         window.chartView()->mapFromScene(plot->mapToScene(plot->mapToPosition(upper))));
        QVERIFY2(plot->hoverText().contains(QStringLiteral("0,999102125201044")), qPrintable(plot->hoverText()));
        QVERIFY(plot->rect().contains(plot->hoverRect()));
        // At every corner of the plot.
        const QRectF area = plot->plotArea();
        for (const QPointF &corner : { area.topLeft(), area.topRight(), area.bottomLeft(), area.bottomRight() }) {
            const QPointF inside = corner + (area.center() - corner) * 0.01;
            plot->showHover(QStringLiteral("Punto superior\nQ = -1,66201141920777  V = 0,999102125201044"),
                            plot->mapToScene(inside));
            QVERIFY(plot->rect().contains(plot->hoverRect()));
        }

        // The P-V and family charts have one too.
        Trigger(window, "mnuCurvaPV");
        Trigger(window, "mnuFamilia");
        for (XyChartView *view : { window.pvCurveWindow()->chartView(), window.familyWindow()->chartView() }) {
            QVERIFY(QTest::qWaitForWindowExposed(view->window()));
            StyledChart *chart = view->styledChart();
            const int points = view->count() > 0 ? 0 : -1;
            QVERIFY(points == 0);
            // On the nose or the first operating point.
            QList<QPointF> marks =
                    view->points(window.pvCurveWindow()->chartView() == view ? int(PvCurveWindow::NoseMark) : 0);
            QVERIFY(!marks.isEmpty());
            const QPointF at = chart->mapToScene(chart->mapToPosition(marks.first()));
            MoveMouse(view, at);
            QVERIFY2(view->hoverText().contains(QLatin1Char('\n')), qPrintable(view->hoverText()));
            QVERIFY(chart->rect().contains(view->hoverRect()));
            MoveMouse(view, chart->mapToScene(chart->plotArea().topRight() + QPointF(-2, 2)));
            QVERIFY2(view->hoverText().startsWith(view == window.pvCurveWindow()->chartView() ? QStringLiteral("P = ")
                                                                                              : QStringLiteral("Q = ")),
                     qPrintable(view->hoverText()));
            QVERIFY(chart->rect().contains(view->hoverRect()));
        }
    }

    void keptCasesHaveAColourAndAnEntryEachInOrder()
    {
        MainWindow window(PointLocale());
        Trigger(window, "mnuGraficoAmpliado");
        QVERIFY(QTest::qWaitForWindowExposed(window.largeChart()));
        Trigger(window, "mnuConservarCurvas");
        QLineEdit *qcap = window.inputBox(InputBox::Qcap);
        // Eleven runs: the first three kept cases are dropped again.
        for (int run = 1; run <= 11; ++run) {
            qcap->setText(QString::number(run * 0.25));
            Calculate(window);
        }
        QvChart *plot = window.largeChart()->view()->qvChart();
        QCoreApplication::processEvents();
        // The legend's entries of kept cases, as painted.
        QStringList named;
        QList<QRgb> colours;
        for (QLegendMarker *marker : plot->legend()->markers()) {
            if (!marker->isVisible() || !marker->label().startsWith(QStringLiteral("Qcap = ")))
                continue;
            named << marker->label();
            colours << marker->brush().color().rgb();
        }
        // The cases of Qcap 0.75 to 2.5, in the order kept, each in the
        // colour of its curves: names and colours moved on together.
        QStringList expected;
        for (int run = 3; run <= 10; ++run)
            expected << QStringLiteral("Qcap = ") + QString::number(run * 0.25);
        QCOMPARE(named, expected);
        QList<QRgb> caseColours;
        for (const KeptCurves &kept : plot->keptCases()) {
            const QColor colour = QvChart::keptColour(kept.serial);
            QVERIFY(colour != QColor(220, 0, 0) && colour != QColor(0, 150, 0) && colour != QColor(0, 0, 202));
            caseColours << colour.rgb();
        }
        QCOMPARE(colours, caseColours);
        const QSet<QRgb> distinct(colours.cbegin(), colours.cend());
        QCOMPARE(distinct.size(), 8);
        QSet<QRgb> seriesColours;
        for (QLineSeries *series : plot->keptSeries())
            seriesColours.insert(series->pen().color().rgb());
        QCOMPARE(seriesColours, distinct);
        // Far from every curve's and mark's colour in the legend, and from one another.
        const auto apart = [](QRgb a, QRgb b) {
            return std::hypot(qRed(a) - qRed(b), qGreen(a) - qGreen(b), qBlue(a) - qBlue(b)) >= 60;
        };
        int others = 0;
        for (QLegendMarker *marker : plot->legend()->markers()) {
            if (!marker->isVisible() || marker->label().startsWith(QStringLiteral("Qcap = ")))
                continue;
            ++others;
            for (const QRgb kept : colours) {
                QVERIFY2(apart(kept, marker->brush().color().rgb()),
                         qPrintable(marker->label() + QStringLiteral(" and ") + QColor(kept).name()));
            }
        }
        QCOMPARE(others, 9);
        for (qsizetype i = 0; i < colours.size(); ++i) {
            for (qsizetype j = i + 1; j < colours.size(); ++j)
                QVERIFY2(apart(colours[i], colours[j]), qPrintable(QColor(colours[i]).name()));
        }
    }

    void largeChartAtItsMinimumSizeReadsEveryLabel()
    {
        MainWindow window(CommaLocale());
        Trigger(window, "mnuGraficoAmpliado");
        LargeChartWindow *large = window.largeChart();
        large->resize(large->minimumSizeHint());
        large->resize(1, 1); // held at the minimum
        QVERIFY(QTest::qWaitForWindowExposed(large));
        QvChart *plot = large->view()->qvChart();
        plot->layout()->activate();
        QCoreApplication::processEvents();
        const QStringList labels = AxisLabels(plot, Qt::Horizontal);
        QVERIFY2(labels.size() >= 3, qPrintable(labels.join(QLatin1Char('|'))));
        QString why;
        QVERIFY2(FitAcross(plot, why), qPrintable(why));
    }

    void arabicTickLabelsAreOneLineOfAsciiDigits()
    {
        // Each chart's labels and the height they take below the plot, under
        // Arabic settings and in the C locale.
        const auto measure = [this](const QLocale &locale) {
            QLocale::setDefault(locale);
            auto window = std::make_unique<MainWindow>(locale);
            window->show();
            Trigger(*window, "mnuGraficoAmpliado");
            Trigger(*window, "mnuCurvaPV");
            Trigger(*window, "mnuFamilia");
            const QList<const QChart *> charts{ window->chartView()->qvChart(), window->largeChart()->view()->qvChart(),
                                                window->pvCurveWindow()->chartView()->styledChart(),
                                                window->familyWindow()->chartView()->styledChart() };
            for (QWidget *shown :
                 { static_cast<QWidget *>(window.get()), static_cast<QWidget *>(window->largeChart()),
                   static_cast<QWidget *>(window->pvCurveWindow()), static_cast<QWidget *>(window->familyWindow()) }) {
                (void)QTest::qWaitForWindowExposed(shown);
            }
            QCoreApplication::processEvents();
            QList<QStringList> labels;
            QList<qreal> below;
            for (const QChart *chart : charts) {
                labels << AxisLabels(chart, Qt::Horizontal) + AxisLabels(chart, Qt::Vertical);
                below << chart->size().height() - chart->plotArea().bottom();
            }
            const QString valores = window->familyWindow()->findChild<QSpinBox *>(QStringLiteral("spnValores"))->text();
            return std::tuple{ labels, below, valores };
        };
        const QLocale arabic(QLocale::Arabic, QLocale::Egypt);
        const auto [arabicLabels, arabicBelow, arabicValores] = measure(arabic);
        const auto [cLabels, cBelow, cValores] = measure(QLocale::c());
        QCOMPARE(arabicValores, QStringLiteral("5"));
        for (int chart = 0; chart < 4; ++chart) {
            const QString all = arabicLabels[chart].join(QLatin1Char('|'));
            QVERIFY2(all.contains(QChar(0x066B)), qPrintable(all));
            for (const QChar c : all)
                QVERIFY2(c.unicode() < 0x80 || c.unicode() == 0x066B, qPrintable(all));
            QString cAll = cLabels[chart].join(QLatin1Char('|'));
            QCOMPARE(QString(all).replace(QChar(0x066B), QLatin1Char('.')), cAll);
            // One line: the labels take as much height below the plot as in the C locale.
            QVERIFY2(qAbs(arabicBelow[chart] - cBelow[chart]) <= 2,
                     qPrintable(QStringLiteral("%1 %2 %3").arg(chart).arg(arabicBelow[chart]).arg(cBelow[chart])));
        }
    }
};

QTEST_MAIN(ChartEdgesTest)
#include "chart_edges_test.moc"
