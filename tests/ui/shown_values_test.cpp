// What the windows show and hand out after a run, value by value: stepped
// boxes, kept cases, exported pictures, the readout over the
// margin, and the operating points of the family and P-V windows.
#include "core/number_format.h"
#include "core/operating_points.h"
#include "core/pv_curve.h"
#include "tests/support/default_inputs.h"
#include "tests/support/widget_test_fixture.h"
#include "tests/support/window_commands.h"
#include "tests/support/window_fixture.h"
#include "ui/chart/chart_hover.h"
#include "ui/chart/large_chart_view.h"
#include "ui/chart/qv_chart_view.h"
#include "ui/chart/xy_chart_view.h"
#include "ui/family/family_window.h"
#include "ui/large_chart/large_chart_window.h"
#include "ui/pv_curve/pv_curve_window.h"
#include "ui/main/export_commands.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QXmlStreamReader>

#include <cmath>

using namespace tarvilo;
using namespace tarvilo::testing;

namespace {

QString SvgText(const QString &path)
{
    QXmlStreamReader svg(FileBytes(path));
    QString text;
    while (!svg.atEnd()) {
        svg.readNext();
        if (svg.isCharacters() && !svg.isWhitespace())
            text += svg.text().toString() + QLatin1Char('|');
    }
    return text;
}

// The longest horizontal run of pixels of about this colour.
int LongestRun(const QImage &image, const QColor &colour)
{
    int longest = 0;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0;
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const bool near = std::abs(pixel.red() - colour.red()) < 40 && std::abs(pixel.green() - colour.green()) < 40
                    && std::abs(pixel.blue() - colour.blue()) < 40;
            run = near ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    return longest;
}

QString Label(double value)
{
    return QString::fromStdString(FormatWithPattern(value, kLabelPattern, PointSettings()));
}

} // namespace

class ShownValuesTest : public WidgetTestFixture
{
    Q_OBJECT

private slots:
    // Keys on a box, as a user presses them: the step is that of the key and
    // of the digit left of the cursor, in the mantissa before an exponent.
    void keysStepTheDigitLeftOfTheCursor_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("stepped");
        QTest::newRow("page down") << "Pcarga"
                                   << "10.48" << 5 << int(Qt::Key_PageDown) << "10.38";
        QTest::newRow("page up") << "Pcarga"
                                 << "10.48" << 5 << int(Qt::Key_PageUp) << "10.58";
        QTest::newRow("down") << "Pcarga"
                              << "10.48" << 5 << int(Qt::Key_Down) << "10.47";
        QTest::newRow("exponent, cursor at the end") << "Qcarga"
                                                     << "1.5e3" << 5 << int(Qt::Key_Up) << "1.6e3";
        QTest::newRow("exponent, cursor in the mantissa") << "Qcarga"
                                                          << "1.5e3" << 3 << int(Qt::Key_Up) << "1.6e3";
        QTest::newRow("exponent, page down") << "Qcarga"
                                             << "1.5e3" << 3 << int(Qt::Key_PageDown) << "0.5e3";
        QTest::newRow("exponent, integer digit") << "Qcarga"
                                                 << "2.5E-1" << 1 << int(Qt::Key_Down) << "1.5E-1";
    }
    void keysStepTheDigitLeftOfTheCursor()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(int, cursor);
        QFETCH(int, key);
        QFETCH(QString, stepped);
        MainWindow window(PointLocale());
        window.show();
        auto *edit = window.findChild<QLineEdit *>(QStringLiteral("txt") + box);
        QVERIFY(edit);
        edit->setText(text);
        edit->setFocus();
        edit->setCursorPosition(cursor);
        QTest::keyClick(edit, Qt::Key(key));
        QCOMPARE(edit->text(), stepped);
    }

    void anUnchangedCaseIsNotKeptAgain()
    {
        MainWindow window(PointLocale());
        Trigger(window, "mnuConservarCurvas");
        QvChart *plot = window.chartView()->qvChart();
        window.inputBox(InputBox::Qcap)->setText(QStringLiteral("0.5"));
        Calculate(window);
        QCOMPARE(plot->keptCases().size(), size_t(1));
        Calculate(window);
        Calculate(window);
        QCOMPARE(plot->keptCases().size(), size_t(1));
        window.inputBox(InputBox::Qcap)->setText(QStringLiteral("0.6"));
        Calculate(window);
        QCOMPARE(plot->keptCases().size(), size_t(2));
        QCOMPARE(plot->keptCases().back().name, QStringLiteral("Qcap = 0.5"));
    }

    // The picture shows what the large chart shows: its zoom, and the marks.
    void picturesFollowTheLargeChartsZoom()
    {
        MainWindow window(PointLocale());
        QVERIFY(window.exportCommands().saveChart(QStringLiteral("ajustado.svg")));
        const QString fitted = SvgText(QStringLiteral("ajustado.svg"));
        // The margin's line, across a good part of the page (its legend entry is short).
        Trigger(window, "mnuCopiarGrafico");
        const int marginRun = LongestRun(QGuiApplication::clipboard()->image(), QColor(200, 0, 200));
        QVERIFY2(marginRun > 200, qPrintable(QString::number(marginRun)));
        Trigger(window, "mnuGraficoAmpliado");
        LargeChartView *view = window.largeChart()->view();
        // As a rubber band sets them.
        ShowRanges(*view->qvChart(), { -2.5, -0.5, 0.25, 1.25 });
        QCOMPARE(view->mode(), LargeChartView::Mode::Zoomed);
        QVERIFY(window.exportCommands().saveChart(QStringLiteral("ampliado.svg")));
        const QString zoomed = SvgText(QStringLiteral("ampliado.svg"));
        // The zoom's own tick labels, none of the fitted view's ends.
        QVERIFY2(zoomed.contains(QStringLiteral("|-2.2|")) && zoomed.contains(QStringLiteral("|-0.6|")),
                 qPrintable(zoomed));
        QVERIFY2(!fitted.contains(QStringLiteral("|-2.2|")), qPrintable(fitted));
        Trigger(window, "mnuCopiarGrafico");
        const QImage zoomedImage = QGuiApplication::clipboard()->image();
        QTest::keyClick(view, Qt::Key_Escape);
        Trigger(window, "mnuCopiarGrafico");
        const QImage fittedImage = QGuiApplication::clipboard()->image();
        QVERIFY(!zoomedImage.isNull() && !fittedImage.isNull());
        QVERIFY(zoomedImage != fittedImage);
    }

    // On the main chart's axes the large chart keeps to them through the next run.
    void theLargeChartKeepsToTheMainAxesAfterARun()
    {
        MainWindow window(PointLocale());
        Trigger(window, "mnuGraficoAmpliado");
        LargeChartWindow *large = window.largeChart();
        large->findChild<QPushButton *>(QStringLiteral("cmdEjesPrincipales"))->click();
        window.inputBox(InputBox::Pcarga)->setText(QStringLiteral("5"));
        Calculate(window);
        const AxisRanges main = RangesOf(*window.chartView()->qvChart());
        const AxisRanges shown = RangesOf(*large->view()->qvChart());
        QCOMPARE(shown.xMin, main.xMin);
        QCOMPARE(shown.xMax, main.xMax);
        QCOMPARE(shown.yMax, main.yMax);
        QCOMPARE(large->view()->mode(), LargeChartView::Mode::MainAxes);
    }

    void theMarginsReadoutGivesItsValue()
    {
        MainWindow window(PointLocale());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QvChart *plot = window.chartView()->qvChart();
        const ChartMarks &marks = plot->marks();
        const QPointF middle((marks.marginFrom + marks.nose.x()) / 2, marks.nose.y());
        const QString text = HoverTextAt(*plot, plot->mapToScene(plot->mapToPosition(middle)));
        QVERIFY2(text.startsWith(QStringLiteral("Margen Q2 = 5.61925218773333\nV = 0.590633016347715")),
                 qPrintable(text));
    }

    // The family's operating points: each value's upper and lower point where its run puts them.
    void familyPointsStandAtEachRunsVoltages()
    {
        MainWindow window(PointLocale());
        Trigger(window, "mnuFamilia");
        FamilyWindow *family = window.familyWindow();
        QVERIFY(family);
        family->findChild<QComboBox *>(QStringLiteral("cboMagnitud"))
                ->setCurrentIndex(static_cast<int>(InputBox::Pcarga));
        family->findChild<QLineEdit *>(QStringLiteral("txtPrimero"))->setText(QStringLiteral("2"));
        family->findChild<QLineEdit *>(QStringLiteral("txtUltimo"))->setText(QStringLiteral("8"));
        family->findChild<QSpinBox *>(QStringLiteral("spnValores"))->setValue(3);
        family->cmdDibujar_Click();
        QList<QPointF> expected;
        for (const double p : { 2.0, 5.0, 8.0 }) {
            QvInputs inputs = DefaultCase();
            inputs.Pcarga = p;
            QvResults r;
            SolveOperatingPoints(inputs, r);
            QVERIFY(r.HasSolution);
            QVERIFY(r.V2sup > r.V2inf + 0.1);
            expected << QPointF(r.Q2sup, r.V2sup) << QPointF(r.Q2inf, r.V2inf);
        }
        int found = 0;
        for (int id = 0; id < family->chartView()->count(); ++id) {
            if (family->chartView()->name(id) != QStringLiteral("Puntos de operación"))
                continue;
            ++found;
            QCOMPARE(family->chartView()->points(id), expected);
        }
        QCOMPARE(found, 1);
    }

    // The varied quantity's own box may hold anything: the family replaces it.
    void familyDrawsWhateverTheVariedBoxHolds()
    {
        MainWindow window(PointLocale());
        window.inputBox(InputBox::X)->setText(QStringLiteral("Error"));
        Trigger(window, "mnuFamilia");
        FamilyWindow *family = window.familyWindow();
        QVERIFY(family);
        family->findChild<QComboBox *>(QStringLiteral("cboMagnitud"))->setCurrentIndex(static_cast<int>(InputBox::X));
        family->findChild<QLineEdit *>(QStringLiteral("txtPrimero"))->setText(QStringLiteral("0.03"));
        family->findChild<QLineEdit *>(QStringLiteral("txtUltimo"))->setText(QStringLiteral("0.06"));
        family->findChild<QSpinBox *>(QStringLiteral("spnValores"))->setValue(4);
        family->cmdDibujar_Click();
        QCOMPARE(family->findChild<QLabel *>(QStringLiteral("lblAviso"))->text(), QString());
        QCOMPARE(family->family().size(), size_t(4));
        QCOMPARE(family->family().back().value, 0.06);
        // Another box unreadable is named, and nothing is drawn.
        window.inputBox(InputBox::X)->setText(QStringLiteral("0.03"));
        window.inputBox(InputBox::B)->setText(QStringLiteral("Error"));
        family->findChild<QSpinBox *>(QStringLiteral("spnValores"))->setValue(3);
        family->cmdDibujar_Click();
        QVERIFY(family->findChild<QLabel *>(QStringLiteral("lblAviso"))->text().contains(QStringLiteral("B")));
        QCOMPARE(family->family().size(), size_t(4));
    }

    void pvOperatingPointsStandAtBothVoltages()
    {
        MainWindow window(PointLocale());
        Trigger(window, "mnuCurvaPV");
        PvCurveWindow *pv = window.pvCurveWindow();
        QVERIFY(pv);
        QvResults r;
        SolveOperatingPoints(DefaultCase(), r);
        const QList<QPointF> points = pv->chartView()->points(PvCurveWindow::OperatingPoints);
        QCOMPARE(points.size(), qsizetype(2));
        QCOMPARE(pv->chartView()->ranges().xMin, 0.0); // the power axis starts at no load
        QCOMPARE(points.at(0).x(), 10.48);
        QCOMPARE(points.at(1).x(), 10.48);
        // The same voltages as the main window's labels.
        QCOMPARE(Label(points.at(0).y()), window.resultLabel(ResultLabel::V2sup)->text());
        QCOMPARE(Label(points.at(1).y()), window.resultLabel(ResultLabel::V2inf)->text());
        QVERIFY(std::abs(points.at(0).y() - r.V2sup) < 1e-12);
        QVERIFY(std::abs(points.at(1).y() - r.V2inf) < 1e-12);
    }

    // A generator at bus 2: its point stands at the exported power, and the
    // margin is what the export may still grow.
    void pvExportPointsStandAtTheExportedPower()
    {
        MainWindow window(PointLocale());
        SetInputs(window, { "0.2441", "0.193", "1", "-1.5019", "0", "0" });
        Calculate(window);
        Trigger(window, "mnuCurvaPV");
        PvCurveWindow *pv = window.pvCurveWindow();
        QVERIFY(pv);
        const QList<QPointF> points = pv->chartView()->points(PvCurveWindow::OperatingPoints);
        QCOMPARE(points.size(), qsizetype(2));
        QCOMPARE(points.at(0).x(), 1.5019);
        QCOMPARE(points.at(1).x(), 1.5019);
        const double limit = MaximumLoadability(testing::Inputs(0.2441, 0.193, 1, -1.5019, 0, 0));
        QCOMPARE(pv->findChild<QLabel *>(QStringLiteral("lblMargenP"))->text(), Label(limit - 1.5019));
    }
};

QTEST_MAIN(ShownValuesTest)
#include "shown_values_test.moc"
