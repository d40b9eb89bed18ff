// Exploring by moving a value: stepping a box, folded runs, earlier cases
// kept on the charts.
#include "tests/support/modal_watchdog.h"
#include "tests/support/widget_test_fixture.h"
#include "tests/support/window_fixture.h"
#include "core/number_format.h"
#include "core/pv_curve.h"
#include "tests/support/default_inputs.h"
#include "ui/chart/large_chart_view.h"
#include "ui/chart/qv_chart_view.h"
#include "ui/family/family_window.h"
#include "ui/large_chart/large_chart_window.h"
#include "ui/common/stepping_line_edit.h"
#include "ui/pv_curve/pv_curve_window.h"
#include "ui/chart/xy_chart_view.h"

#include <QAction>
#include <QApplication>
#include <QWheelEvent>
#include <QCheckBox>
#include <QLabel>
#include <QScatterSeries>
#include <QLineSeries>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace tarvilo;
using namespace tarvilo::testing;

class ExploringTest : public WidgetTestFixture
{
    Q_OBJECT

private:
    static QAction *Action(MainWindow &window, const char *name)
    {
        return window.findChild<QAction *>(QString::fromLatin1(name));
    }

private slots:
    void heldKeysFoldIntoOneRunOfTheLatestValue()
    {
        MainWindow window(PointLocale());
        QLineEdit *qcap = window.inputBox(InputBox::Qcap);
        qcap->setFocus();
        qcap->end(false);
        QSignalSpy runs(&window, &MainWindow::caseShown);
        for (int repeat = 0; repeat < 5; ++repeat)
            QTest::keyClick(qcap, Qt::Key_Up);
        QTest::keyClick(qcap, Qt::Key_PageUp);
        QCOMPARE(qcap->text(), QStringLiteral("0.15"));
        QCOMPARE(runs.count(), 0); // not yet: the window was busy with the keys
        QTRY_COMPARE(runs.count(), 1);
        // The results are those of the text shown: Qcap 0.15 gives Beq 1.815.
        QCOMPARE(window.chartView()->series(Curve::LoadCharacteristic)->at(0).x(), 0 - 1.815 * 1.5 * 1.5);

        // A box holding "Error" does not step, and nothing runs.
        qcap->setText(QStringLiteral("x"));
        QTest::keyClick(qcap, Qt::Key_Down);
        QCOMPARE(qcap->text(), QStringLiteral("Error"));
        // A run would be due on a zero timer started before this one.
        QTimer after;
        after.setSingleShot(true);
        after.setInterval(0);
        QSignalSpy passed(&after, &QTimer::timeout);
        after.start();
        QTRY_COMPARE(passed.count(), 1);
        QCOMPARE(runs.count(), 1);
    }

    void aHeldKeyAndASpunWheelStepEveryTime()
    {
        MainWindow window(CommaLocale());
        QLineEdit *pcarga = window.inputBox(InputBox::Pcarga);
        QVERIFY(qobject_cast<SteppingLineEdit *>(pcarga));
        pcarga->setFocus();
        pcarga->end(false);
        QSignalSpy runs(&window, &MainWindow::caseShown);
        for (int press = 0; press < 3000; ++press)
            QTest::keyClick(pcarga, Qt::Key_Down);
        QCOMPARE(pcarga->text(), QStringLiteral("-19,52"));
        const QPointF at(pcarga->width() / 2.0, pcarga->height() / 2.0);
        for (int part = 0; part < 2 * 3000; ++part) {
            QWheelEvent half(at, pcarga->mapToGlobal(at), QPoint(), QPoint(0, 60), Qt::NoButton, Qt::NoModifier,
                             Qt::NoScrollPhase, false);
            QApplication::sendEvent(pcarga, &half);
        }
        QCOMPARE(pcarga->text(), QStringLiteral("10,48"));
        QTRY_COMPARE(runs.count(), 1);
        QCOMPARE(window.resultLabel(ResultLabel::MargenQ2)->text(), QStringLiteral("5,6193"));
    }

    void stepsPastTheNoseAreToldInTheWindow()
    {
        MainWindow window(CommaLocale());
        QLineEdit *pcarga = window.inputBox(InputBox::Pcarga);
        pcarga->setText(QStringLiteral("20"));
        pcarga->setFocus();
        pcarga->end(false);
        QSignalSpy runs(&window, &MainWindow::caseShown);
        // 30, 40 and 50 lie past the nose; a run after each step, and no box.
        for (int press = 1; press <= 3; ++press) {
            QTest::keyClick(pcarga, Qt::Key_PageUp);
            QTRY_COMPARE(runs.count(), press);
            QCOMPARE(window.resultLabel(ResultLabel::V2sup)->text(), QStringLiteral("Error"));
        }
        const QPointF at(pcarga->width() / 2.0, pcarga->height() / 2.0);
        QWheelEvent notch(at, pcarga->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(pcarga, &notch);
        QTRY_COMPARE(runs.count(), 4);
        QCOMPARE(pcarga->text(), QStringLiteral("51"));
        QVERIFY(m_watchdog->seen().empty());
        // The window says it, above the results.
        auto *notes = window.findChild<QLabel *>(QStringLiteral("lblAvisos"));
        QVERIFY(notes && notes->isVisibleTo(&window));
        QVERIFY2(notes->text().contains(QStringLiteral("No existe punto de solución")), qPrintable(notes->text()));

        // "Calcular" keeps its box, and its run takes the step's note away.
        m_watchdog->expect();
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("cmdCalcular")), Qt::LeftButton);
        QCOMPARE(m_watchdog->seen().size(), size_t(1));
        QCOMPARE(m_watchdog->seen().front().text, QStringLiteral("No existe punto solucion"));
        QVERIFY(!notes->isVisibleTo(&window));

        // A step back to a case with a solution.
        pcarga->setText(QStringLiteral("10"));
        pcarga->end(false);
        QTest::keyClick(pcarga, Qt::Key_Up);
        QTRY_COMPARE(runs.count(), 6);
        QVERIFY(window.resultLabel(ResultLabel::V2sup)->text() != QStringLiteral("Error"));
        QVERIFY(!notes->isVisibleTo(&window));
    }

    void theFamilysBoxesStep()
    {
        MainWindow window(CommaLocale());
        Action(window, "mnuFamilia")->trigger();
        auto *primero = window.familyWindow()->findChild<QLineEdit *>(QStringLiteral("txtPrimero"));
        QCOMPARE(primero->text(), QStringLiteral("0,03"));
        primero->setFocus();
        primero->end(false);
        QTest::keyClick(primero, Qt::Key_PageDown);
        QCOMPARE(primero->text(), QStringLiteral("-0,07"));
    }

    void aStepBeyondTheRangeKeepsTheText()
    {
        MainWindow window(CommaLocale());
        QLineEdit *x = window.inputBox(InputBox::X);
        for (const auto &[text, key] : { std::pair{ "1e308", Qt::Key_Up }, std::pair{ "1,7e308", Qt::Key_PageUp } }) {
            x->setText(QString::fromLatin1(text));
            x->setFocus();
            x->end(false);
            QTest::keyClick(x, key);
            QCOMPARE(x->text(), QString::fromLatin1(text));
        }
    }

    void earlierCasesAreKeptAndRemoved()
    {
        MainWindow window(CommaLocale());
        auto *agregar = window.findChild<QCheckBox *>(QStringLiteral("chkAgregar"));
        Action(window, "mnuGraficoAmpliado")->trigger();
        Action(window, "mnuConservarCurvas")->trigger();
        QCOMPARE(agregar->checkState(), Qt::Checked);
        QVERIFY(!agregar->isVisible());
        QvChart *plot = window.chartView()->qvChart();
        for (int step = 1; step <= 10; ++step) {
            window.inputBox(InputBox::Qcap)->setText(QString::number(step * 0.1, 'f', 1).replace(u'.', u','));
            window.findChild<QPushButton *>(QStringLiteral("cmdCalcular"))->click();
        }
        // Eight kept, the oldest gone, each named by what sets it apart.
        QCOMPARE(plot->keptCases().size(), size_t(8));
        // Qcap moves only the load characteristic: the kept system curves,
        // the same as the current ones, are left out.
        QCOMPARE(plot->keptSeries().size(), qsizetype(8));
        QCOMPARE(plot->keptCases().front().name, QStringLiteral("Qcap = 0,2"));
        QCOMPARE(plot->keptCases().back().name, QStringLiteral("Qcap = 0,9"));
        QCOMPARE(window.largeChart()->view()->qvChart()->keptCases().back().name, QStringLiteral("Qcap = 0,9"));
        // The current curves stay the first three series.
        QCOMPARE(plot->series().at(0), static_cast<QAbstractSeries *>(plot->curve(Curve::LowerBranch)));

        Action(window, "mnuBorrarCurvas")->trigger();
        QCOMPARE(plot->keptSeries().size(), qsizetype(0));
        QCOMPARE(window.largeChart()->view()->qvChart()->keptCases().size(), size_t(0));
        Action(window, "mnuConservarCurvas")->trigger();
        QCOMPARE(agregar->checkState(), Qt::Unchecked);
        window.findChild<QPushButton *>(QStringLiteral("cmdValoresDefault"))->click();
        QCOMPARE(plot->keptCases().size(), size_t(0));
    }

    void aFamilysTableAgreesWithSingleRuns()
    {
        MainWindow window(PointLocale());
        Action(window, "mnuFamilia")->trigger();
        FamilyWindow *family = window.familyWindow();
        QVERIFY(family);
        QCOMPARE(family->family().size(), size_t(5)); // X from 0.03 to 0.06, drawn on opening
        const QStringList rows = family->tableText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QFile::remove(QStringLiteral("salida.txt"));
        family->cmdDibujar_Click();
        QVERIFY(!QFile::exists(QStringLiteral("salida.txt"))); // the family writes no curve file
        for (const FamilyMember &member : family->family()) {
            // The same inputs through the main window's run.
            window.inputBox(InputBox::X)->setText(QString::number(member.value, 'g', 17));
            if (!member.outcome.results.HasSolution)
                m_watchdog->expect();
            window.findChild<QPushButton *>(QStringLiteral("cmdCalcular"))->click();
            const QvResults &r = member.outcome.results;
            const auto label = [](double value) {
                return QString::fromStdString(FormatWithPattern(value, kLabelPattern, PointSettings()));
            };
            QCOMPARE(window.resultLabel(ResultLabel::MargenQ2)->text(), label(r.MargenQ2));
            QCOMPARE(window.resultLabel(ResultLabel::V2sup)->text(),
                     r.HasSolution ? label(r.V2sup) : QStringLiteral("Error"));
            QCOMPARE(window.resultLabel(ResultLabel::Q2inf)->text(),
                     r.HasSolution ? label(r.Q2inf) : QStringLiteral("Error"));
        }
        // The copied table: a header and one line per value, exact values.
        QCOMPARE(rows.size(), 6);
        QVERIFY(rows.at(1).startsWith(QStringLiteral("0.03\t5.03842133333333\t")));
        QVERIFY(rows.at(5).contains(QStringLiteral("\tError\t")));
    }

    void pvCurveShowsPmaxAndFollowsRuns()
    {
        MainWindow window(PointLocale());
        Action(window, "mnuCurvaPV")->trigger();
        PvCurveWindow *pv = window.pvCurveWindow();
        QVERIFY(pv);
        const auto text = [pv](const char *name) { return pv->findChild<QLabel *>(QString::fromLatin1(name))->text(); };
        const double pmax = MaximumLoadability(testing::DefaultCase());
        QCOMPARE(text("lblPmax"), QStringLiteral("17.5429"));
        QCOMPARE(text("lblMargenP"),
                 QString::fromStdString(FormatWithPattern(pmax - 10.48, kLabelPattern, PointSettings())));
        QCOMPARE(pv->chartView()->points(PvCurveWindow::NoseMark).at(0).x(), pmax);
        QCOMPARE(pv->chartView()->points(PvCurveWindow::OperatingPoints).size(), qsizetype(2));

        window.inputBox(InputBox::Pcarga)->setText(QStringLiteral("0"));
        window.findChild<QPushButton *>(QStringLiteral("cmdCalcular"))->click();
        QVERIFY(text("lblAviso").contains(QStringLiteral("Pcarga = 0")));
        QVERIFY(text("lblPmax").isEmpty());
        window.findChild<QPushButton *>(QStringLiteral("cmdValoresDefault"))->click();
        QCOMPARE(text("lblPmax"), QStringLiteral("17.5429"));
    }
};

QTEST_MAIN(ExploringTest)
#include "exploring_test.moc"
