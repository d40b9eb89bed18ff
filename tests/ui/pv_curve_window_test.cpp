// The P-V window: its own numbers at the edges of the model, and what it
// shows after a run of the main window that did not complete.
#include "tests/support/modal_watchdog.h"
#include "tests/support/widget_test_fixture.h"
#include "tests/support/window_fixture.h"
#include "tests/support/default_inputs.h"
#include "tests/support/previous_look.h"
#include "ui/chart/xy_chart_view.h"
#include "ui/pv_curve/pv_curve_window.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QTest>

#include <memory>

using namespace tarvilo;
using namespace tarvilo::testing;

Q_DECLARE_METATYPE(tarvilo::QvInputs)

class PvCurveWindowTest : public WidgetTestFixture
{
    Q_OBJECT

private:
    static QString Text(const QWidget *window, const char *name)
    {
        const auto *label = window->findChild<QLabel *>(QString::fromLatin1(name));
        return label ? label->text() : QStringLiteral("(no label %1)").arg(QString::fromLatin1(name));
    }
    static bool Shown(const QWidget *window, const char *name)
    {
        const auto *label = window->findChild<QLabel *>(QString::fromLatin1(name));
        return label && !label->isHidden();
    }
    void calculate(MainWindow &window, const QStringList &texts, bool failsOrWarns)
    {
        SetInputs(window, texts);
        if (failsOrWarns)
            m_watchdog->expect();
        window.findChild<QPushButton *>(QStringLiteral("cmdCalcular"))->click();
        QTRY_VERIFY(m_watchdog->sawAllExpected());
    }

private slots:
    void showsTheNoseAtTheEdges_data()
    {
        QTest::addColumn<QvInputs>("inputs");
        QTest::addColumn<QString>("pmax");
        QTest::addColumn<QString>("vAtPmax");
        QTest::addColumn<QString>("pmaxTitle");
        QTest::addColumn<int>("points");

        const QString pmax = QStringLiteral("Pmax [p.u.]");
        QTest::newRow("default") << DefaultCase() << "17.5429"
                                 << ".7443" << pmax << 2;
        QTest::newRow("over-compensated") << Inputs(0.5, 0, 1, 0.5, 0, 3) << "2."
                                          << "1.4142" << pmax << 2;
        QTest::newRow("over-compensated inductive") << Inputs(0.1, 0, 1, 0.5, 0.3, 15) << "17.6619"
                                                    << "2.0296" << pmax << 2;
        QTest::newRow("over-compensated capacitive") << Inputs(0.25, 0, 1, 0.5, -0.2, 6) << "2.7081"
                                                     << "1.2076" << pmax << 2;
        QTest::newRow("capacitive 1e6") << Inputs(0.1, 0, 1, 1e-6, -1, 0) << "10000000."
                                        << "1000000." << pmax << 2;
        QTest::newRow("capacitive 2e8") << Inputs(0.45, 0, 1, 3e-9, -0.7, 0) << "518518518.5185"
                                        << "233333333.3333" << pmax << 2;
        QTest::newRow("capacitive 1e8") << Inputs(0.1, 0, 1, 1e-8, -1, 0) << "1000000000."
                                        << "100000000." << pmax << 2;
        QTest::newRow("capacitive 1e12") << Inputs(0.1, 0, 1, 1e-12, -1, 0) << "10000000000000."
                                         << "1000000000000." << pmax << 2;
        QTest::newRow("X Beq = 1 - 1e-10") << Inputs(0.5, 0, 1, 0.5, 0.1, 1.9999999998) << "8198038348.8768"
                                           << "6465443067.2148" << pmax << 2;
        QTest::newRow("generator") << Inputs(0.2441, 0.193, 1, -1.5019, 0, 0) << "2.0978"
                                   << ".7242" << QStringLiteral("Límite de exportación [p.u.]") << 2;
    }

    void showsTheNoseAtTheEdges()
    {
        QFETCH(QvInputs, inputs);
        QFETCH(QString, pmax);
        QFETCH(QString, vAtPmax);
        QFETCH(QString, pmaxTitle);
        QFETCH(int, points);
        PvCurveWindow window(PointLocale(), PointSettings());
        window.showRun(inputs);
        QVERIFY(!Shown(&window, "lblAviso"));
        QCOMPARE(Text(&window, "lblPmax"), pmax);
        QCOMPARE(Text(&window, "lblV2Pmax"), vAtPmax);
        QCOMPARE(Text(&window, "lblPmax_tit"), pmaxTitle);
        QCOMPARE(Text(&window, "lblV2Pmax_tit"),
                 pmaxTitle == QStringLiteral("Pmax [p.u.]") ? QStringLiteral("V2 en Pmax [p.u.]")
                                                            : QStringLiteral("V2 en el límite [p.u.]"));
        const XyChartView *chart = window.chartView();
        QCOMPARE(chart->points(PvCurveWindow::OperatingPoints).size(), points);
        // The nose mark at Pmax ends both branches.
        const QPointF nose = chart->points(PvCurveWindow::NoseMark).at(0);
        QCOMPARE(chart->points(PvCurveWindow::UpperBranch).size(), 200);
        QCOMPARE(chart->points(PvCurveWindow::UpperBranch).at(199), nose);
        QCOMPARE(chart->points(PvCurveWindow::LowerBranch).at(199), nose);
        const AxisRanges view = chart->ranges();
        QVERIFY(nose.x() <= view.xMax && nose.y() <= view.yMax);
    }

    void saysWhyThereIsNoCurve_data()
    {
        QTest::addColumn<QvInputs>("inputs");
        QTest::addColumn<QString>("words");
        QTest::newRow("no load") << Inputs(0.03, 3.33, 1, 0, 0, 0) << "Pcarga = 0";
        QTest::newRow("X Beq = 1") << Inputs(0.5, 4, 1, 1, 0, 0)
                                   << "único punto de operación (aquí V2 = X · √(Pcarga² + Qcarga²) / U inf = .5 p.u.)";
        QTest::newRow("negative X") << Inputs(-0.03, 3.33, 1, 10.48, 0, 0)
                                    << "reactancia X negativa no es la de una línea";
        QTest::newRow("no source") << Inputs(0.03, 3.33, 0, 10.48, 0, 0) << "U inf distinta de cero";
        QTest::newRow("tiny source") << Inputs(0.03, 3.33, 1e-200, 10.48, 0, 0) << "U inf es demasiado pequeña";
    }

    void saysWhyThereIsNoCurve()
    {
        QFETCH(QvInputs, inputs);
        QFETCH(QString, words);
        PvCurveWindow window(PointLocale(), PointSettings());
        window.showRun(inputs);
        QVERIFY(Shown(&window, "lblAviso"));
        QVERIFY2(Text(&window, "lblAviso").contains(words), qPrintable(Text(&window, "lblAviso")));
        QVERIFY(Text(&window, "lblPmax").isEmpty());
        QVERIFY(Text(&window, "lblV2Pmax").isEmpty());
    }

    void aFailedRunIsNotedOrShownAsTheNewCase()
    {
        MainWindow window(PointLocale());
        window.findChild<QAction *>(QStringLiteral("mnuCurvaPV"))->trigger();
        PvCurveWindow *pv = window.pvCurveWindow();
        QVERIFY(pv);
        QCOMPARE(Text(pv, "lblPmax"), QStringLiteral("17.5429"));
        QVERIFY(!Shown(pv, "lblNota"));

        // X Beq = 1: the run completes with its one operating point; the window says why it has no curve.
        calculate(window, { "0.5", "4", "1", "1", "0", "0" }, false);
        QVERIFY(!Shown(pv, "lblNota"));
        QVERIFY2(Text(pv, "lblAviso").contains(QStringLiteral("único punto de operación")),
                 qPrintable(Text(pv, "lblAviso")));

        // Only the main chart's scale fails: the window shows the new case.
        calculate(window, { "0.000005", "0", "1", "1", "0.1", "0" }, true);
        QCOMPARE(Text(pv, "lblPmax"), QStringLiteral("90498.7562"));
        QVERIFY(!Text(pv, "lblNota").startsWith(QStringLiteral("Gráfico del cálculo anterior")));
        // The same with a generator at bus 2: both notes.
        calculate(window, { "0.000005", "0", "1", "-1", "0.1", "0" }, true);
        QVERIFY2(Text(pv, "lblNota").contains(QStringLiteral("no se completó")), qPrintable(Text(pv, "lblNota")));
        QVERIFY2(Text(pv, "lblNota").contains(QStringLiteral("exporta")), qPrintable(Text(pv, "lblNota")));

        // A run that could not read its inputs: the previous case, noted.
        calculate(window, { "abc", "0", "1", "1", "0.1", "0" }, true);
        QCOMPARE(Text(pv, "lblNota"), QStringLiteral("Gráfico del cálculo anterior"));
        const auto looksPrevious = [pv](const char *name) {
            return LooksPrevious(pv->findChild<QLabel *>(QString::fromLatin1(name)));
        };
        for (const char *name : { "lblPmax", "lblV2Pmax", "lblMargenP" })
            QVERIFY2(looksPrevious(name), name);

        // A good run clears the note and the grey.
        calculate(window, { "0.03", "3.33", "1", "10.48", "0", "0" }, false);
        QVERIFY(!Shown(pv, "lblNota"));
        QCOMPARE(Text(pv, "lblPmax"), QStringLiteral("17.5429"));
        for (const char *name : { "lblPmax", "lblV2Pmax", "lblMargenP" })
            QVERIFY2(!looksPrevious(name), name);

        // No active load, then failed runs: never the stale "Sin carga activa".
        calculate(window, { "0.03", "3.33", "1", "0", "0", "0" }, false);
        QVERIFY(Text(pv, "lblAviso").startsWith(QStringLiteral("Sin carga activa")));
        calculate(window, { "0", "3.33", "1", "10.48", "0", "0" }, true);
        QVERIFY2(Text(pv, "lblAviso").contains(QStringLiteral("reactancia X positiva")),
                 qPrintable(Text(pv, "lblAviso")));
        calculate(window, { "0.03", "3.33", "1", "0", "0", "0" }, false);
        calculate(window, { "0.03", "3.33", "abc", "0", "0", "0" }, true);
        QVERIFY(!Text(pv, "lblAviso").contains(QStringLiteral("Sin carga activa")));
        QVERIFY(Text(pv, "lblAviso").contains(QStringLiteral("no se completó")));
    }

    // A screen reader hears each value under the caption shown beside it,
    // with the mark of the previous calculation where the window keeps one.
    void valueLabelsAreReadWithTheirShownCaption()
    {
        MainWindow window(PointLocale());
        window.findChild<QAction *>(QStringLiteral("mnuCurvaPV"))->trigger();
        PvCurveWindow *pv = window.pvCurveWindow();
        QVERIFY(pv);
        const auto spoken = [pv](const char *name) {
            auto *label = pv->findChild<QLabel *>(QString::fromLatin1(name));
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(label);
            return face ? face->text(QAccessible::Name) : QString();
        };
        QCOMPARE(spoken("lblPmax"), QStringLiteral("Pmax [p.u.]: 17.5429"));

        calculate(window, { "0.2441", "0.193", "1", "-1.5019", "0", "0" }, false);
        for (const char *name : { "lblPmax", "lblV2Pmax", "lblMargenP" }) {
            const QString caption = Text(pv, (QByteArray(name) + "_tit").constData());
            QVERIFY2(spoken(name).startsWith(caption + QStringLiteral(": ")), qPrintable(spoken(name)));
        }
        QCOMPARE(spoken("lblPmax"), QStringLiteral("Límite de exportación [p.u.]: 2.0978"));

        calculate(window, { "abc", "0", "1", "1", "0.1", "0" }, true);
        QCOMPARE(spoken("lblPmax"), QStringLiteral("Límite de exportación [p.u.]: 2.0978, del cálculo anterior"));

        calculate(window, { "0.03", "3.33", "1", "10.48", "0", "0" }, false);
        QCOMPARE(spoken("lblPmax"), QStringLiteral("Pmax [p.u.]: 17.5429"));
    }

    // The explanations of the values follow the curve shown: a generator's
    // limit is what bus 2 can export, not what a load can draw.
    void explanationsFollowTheDirectionOfPower_data()
    {
        QTest::addColumn<QvInputs>("inputs");
        QTest::addColumn<bool>("exporting");
        QTest::newRow("load") << DefaultCase() << false;
        QTest::newRow("generator") << Inputs(0.2441, 0.193, 1, -1.5019, 0, 0) << true;
    }

    void explanationsFollowTheDirectionOfPower()
    {
        QFETCH(QvInputs, inputs);
        QFETCH(bool, exporting);
        PvCurveWindow window(PointLocale(), PointSettings());
        window.showRun(Inputs(0.2441, 0.193, 1, -1.5019, 0, 0));
        window.showRun(DefaultCase());
        window.showRun(inputs);
        for (const char *name : { "lblPmax", "lblV2Pmax", "lblMargenP" }) {
            const auto *label = window.findChild<QLabel *>(QString::fromLatin1(name));
            const auto *caption = window.findChild<QLabel *>(QString::fromLatin1(name) + QStringLiteral("_tit"));
            QVERIFY2(label->accessibleDescription().contains(QStringLiteral("export")) == exporting,
                     qPrintable(label->accessibleDescription()));
            QCOMPARE(caption->toolTip(), label->accessibleDescription());
        }
        // Each value stands well apart from its caption, the longest too.
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (const char *name : { "lblPmax", "lblV2Pmax", "lblMargenP" }) {
            const auto *label = window.findChild<QLabel *>(QString::fromLatin1(name));
            const auto *caption = window.findChild<QLabel *>(QString::fromLatin1(name) + QStringLiteral("_tit"));
            const int captionEnd = caption->x() + caption->fontMetrics().horizontalAdvance(caption->text());
            QVERIFY2(label->x() - captionEnd >= 12, qPrintable(caption->text()));
        }
    }

    void aWindowOpenedAfterAFailedRunCarriesTheNote()
    {
        MainWindow window(PointLocale());
        calculate(window, { "-0.03", "3.33", "1", "10.48", "0", "0" }, true);
        window.findChild<QAction *>(QStringLiteral("mnuCurvaPV"))->trigger();
        PvCurveWindow *pv = window.pvCurveWindow();
        QVERIFY(pv);
        QVERIFY(Text(pv, "lblNota").startsWith(QStringLiteral("Gráfico del cálculo anterior")));
        QVERIFY(Text(pv, "lblNota").contains(QStringLiteral("negativa")));
    }
};

QTEST_MAIN(PvCurveWindowTest)
#include "pv_curve_window_test.moc"
