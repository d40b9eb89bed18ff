// Timed driver for the main window (run it with QT_QPA_PLATFORM=offscreen):
//  - start-up: from program start to the first window shown with results;
//  - a run: from a click on "Calcular" to the window repainted, the whole
//    chart included (the chart is marked for a full repaint and the pending
//    events, the paint among them, are processed);
//  - a bare repaint: the same full repaint of the chart with nothing changed;
//  - opening the large chart, shown and painted;
//  - the run again with the large chart open, which follows it, against a
//    bare repaint of both charts;
//  - a step of a box's value (Up or Down) to the window and the large chart
//    repainted in full, with eight earlier cases kept;
//  - a family calculated and drawn, the first time (its curves made) and
//    then of 24 and 25 values in turn, so that every drawing changes them;
//  - a case file with eight kept cases opened, its run made and painted;
//  - "Márgenes y compensación" following one run with a sizing by bisection
//    (Margen P by Pcarga) searched again, the window painted;
//  - the study report of the default case ("Exportar informe..."), made and
//    written, against a bare repaint of the chart.
// Targets on a 2-core machine: start-up under 500 ms, a run at most three
// times a bare repaint, the large chart open in under 100 ms, a step within
// 8 ms at the 95th percentile and at most twice a bare repaint of both
// charts, the family in under 50 ms, a case opened in under 50 ms, the
// report in under 300 ms.
#include "ui/chart/large_chart_view.h"
#include "ui/chart/qv_chart_view.h"
#include "ui/family/family_window.h"
#include "ui/large_chart/large_chart_window.h"
#include "ui/main/case_commands.h"
#include "ui/main/export_commands.h"
#include "ui/main/main_window.h"
#include "ui/margins/margins_window.h"

#include "core/operating_points.h"
#include "core/qv_model.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Percentile90(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() * 9 / 10];
}

} // namespace

int main(int argc, char *argv[])
{
    QElapsedTimer sinceStart;
    sinceStart.start();

    QApplication application(argc, argv);
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    // The recent cases go to the scratch folder, not the user's list.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());

    tarvilo::MainWindow window(QLocale::c());
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    const double startupMs = sinceStart.nsecsElapsed() / 1e6;

    // The report of the default case, as the window opens on it.
    std::vector<double> reportMs;
    for (int report = 0; report < 10; ++report) {
        QElapsedTimer timer;
        timer.start();
        if (!window.exportCommands().saveReport(QStringLiteral("informe.pdf")))
            return 1;
        reportMs.push_back(timer.nsecsElapsed() / 1e6);
    }

    auto *calcular = window.findChild<QPushButton *>(QStringLiteral("cmdCalcular"));
    QLineEdit *qcarga = window.inputBox(tarvilo::InputBox::Qcarga);
    QWidget *chart = window.chartView()->viewport();
    // Runs of new curves each, each with the full repaint of the charts and
    // whatever else the run made dirty; then as many bare repaints of the
    // charts.
    const auto measure = [&](const std::vector<QWidget *> &charts, std::vector<double> &runs,
                             std::vector<double> &bare) {
        for (int run = 0; run < 200; ++run) {
            qcarga->setText(run % 2 ? QStringLiteral("0.00") : QStringLiteral("0.50"));
            QElapsedTimer timer;
            timer.start();
            calcular->click();
            for (QWidget *view : charts)
                view->update();
            QCoreApplication::processEvents();
            runs.push_back(timer.nsecsElapsed() / 1e6);

            timer.restart();
            for (QWidget *view : charts)
                view->update();
            QCoreApplication::processEvents();
            bare.push_back(timer.nsecsElapsed() / 1e6);
        }
    };
    std::vector<double> runsMs, bareMs;
    measure({ chart }, runsMs, bareMs);

    QElapsedTimer opening;
    opening.start();
    window.findChild<QAction *>(QStringLiteral("mnuGraficoAmpliado"))->trigger();
    if (!QTest::qWaitForWindowExposed(window.largeChart()))
        return 1;
    QCoreApplication::processEvents();
    const double openingMs = opening.nsecsElapsed() / 1e6;
    std::vector<double> runsLargeMs, bareLargeMs;
    measure({ chart, window.largeChart()->view()->viewport() }, runsLargeMs, bareLargeMs);

    // Steps with eight earlier cases kept and the large chart open.
    window.findChild<QAction *>(QStringLiteral("mnuConservarCurvas"))->trigger();
    QLineEdit *qcap = window.inputBox(tarvilo::InputBox::Qcap);
    for (int kept = 1; kept <= 9; ++kept) {
        qcap->setText(QString::number(kept * 0.25));
        calcular->click();
    }
    qcap->setFocus();
    qcap->end(false);
    QWidget *large = window.largeChart()->view()->viewport();
    std::vector<double> stepsMs, bareStepsMs;
    for (int step = 0; step < 200; ++step) {
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(qcap, step % 2 ? Qt::Key_Down : Qt::Key_Up);
        QCoreApplication::processEvents(); // the run
        chart->update();
        large->update();
        QCoreApplication::processEvents(); // the paint
        stepsMs.push_back(timer.nsecsElapsed() / 1e6);

        timer.restart();
        chart->update();
        large->update();
        QCoreApplication::processEvents();
        bareStepsMs.push_back(timer.nsecsElapsed() / 1e6);
    }

    const QString casePath = folder.filePath(QStringLiteral("estudio.tarvilo"));
    if (!window.caseCommands()->saveCase(casePath))
        return 1;

    // A family of 25 values, calculated and drawn.
    window.findChild<QAction *>(QStringLiteral("mnuFamilia"))->trigger();
    tarvilo::FamilyWindow *family = window.familyWindow();
    family->findChild<QSpinBox *>(QStringLiteral("spnValores"))->setValue(25);
    if (!QTest::qWaitForWindowExposed(family))
        return 1;
    std::vector<double> familyMs;
    double firstFamilyMs = 0;
    for (int drawing = 0; drawing <= 20; ++drawing) {
        family->findChild<QSpinBox *>(QStringLiteral("spnValores"))->setValue(drawing % 2 == 0 ? 25 : 24);
        QElapsedTimer timer;
        timer.start();
        family->cmdDibujar_Click();
        QCoreApplication::processEvents();
        if (drawing == 0)
            firstFamilyMs = timer.nsecsElapsed() / 1e6;
        else
            familyMs.push_back(timer.nsecsElapsed() / 1e6);
    }

    // The case saved above (eight kept cases) opened again and again, the
    // large chart open: read, kept curves made, run, both charts painted.
    family->close();
    std::vector<double> openingCaseMs;
    for (int opened = 0; opened < 20; ++opened) {
        QElapsedTimer timer;
        timer.start();
        if (!window.caseCommands()->openCase(casePath))
            return 1;
        QCoreApplication::processEvents();
        openingCaseMs.push_back(timer.nsecsElapsed() / 1e6);
    }

    // The margins window following a run, its sizing by bisection searched again.
    window.findChild<QAction *>(QStringLiteral("mnuMargenes"))->trigger();
    tarvilo::MarginsWindow *margins = window.marginsWindow();
    if (!QTest::qWaitForWindowExposed(margins))
        return 1;
    margins->setSizing({ tarvilo::GoalTarget::MargenP, QStringLiteral("3"), tarvilo::GoalInput::Pcarga });
    margins->cmdBuscar_Click();
    std::vector<double> marginsMs;
    for (int run = 0; run < 200; ++run) {
        tarvilo::QvInputs inputs{ 0.03, 3.33, 1.0, 10.48 - 0.01 * (run % 7), 0.0, 0.0, false };
        tarvilo::QvResults results;
        tarvilo::ComputeCriticalPoint(inputs, results);
        tarvilo::SolveOperatingPoints(inputs, results);
        QElapsedTimer timer;
        timer.start();
        margins->showRun(inputs, results);
        margins->update();
        QCoreApplication::processEvents();
        marginsMs.push_back(timer.nsecsElapsed() / 1e6);
    }

    std::printf("start-up to first window with results: %.1f ms\n", startupMs);
    std::printf("run with full chart repaint: median %.2f ms, 90th percentile %.2f ms (%zu runs)\n", Median(runsMs),
                Percentile90(runsMs), runsMs.size());
    std::printf("bare full repaint of the chart: median %.2f ms\n", Median(bareMs));
    std::printf("run / bare repaint: %.1f (target at most 3)\n", Median(runsMs) / Median(bareMs));
    std::printf("opening the large chart: %.1f ms (target under 100 ms)\n", openingMs);
    std::printf("with the large chart open (both repainted in full): run %.2f ms (90th percentile %.2f ms), "
                "bare repaint of both %.2f ms, run / bare repaint: %.1f\n",
                Median(runsLargeMs), Percentile90(runsLargeMs), Median(bareLargeMs),
                Median(runsLargeMs) / Median(bareLargeMs));
    std::sort(stepsMs.begin(), stepsMs.end());
    std::printf("a step with eight earlier cases and the large chart: median %.2f ms, 95th percentile %.2f ms "
                "(target at most 8 ms), bare repaint of both %.2f ms, step / bare repaint: %.2f (target at most 2)\n",
                Median(stepsMs), stepsMs[stepsMs.size() * 95 / 100], Median(bareStepsMs),
                Median(stepsMs) / Median(bareStepsMs));
    std::printf("a family of 25 values calculated and drawn: the first time %.1f ms, then median %.1f ms, worst "
                "%.1f ms (target under 50 ms)\n",
                firstFamilyMs, Median(familyMs), *std::max_element(familyMs.begin(), familyMs.end()));
    std::printf("a case with eight kept cases opened, run and painted: median %.1f ms, worst %.1f ms "
                "(target under 50 ms)\n",
                Median(openingCaseMs), *std::max_element(openingCaseMs.begin(), openingCaseMs.end()));
    std::printf("Márgenes y compensación after a run, sizing by bisection again, painted: median %.2f ms, "
                "90th percentile %.2f ms\n",
                Median(marginsMs), Percentile90(marginsMs));
    std::printf("the study report of the default case, made and written: median %.1f ms, worst %.1f ms (target "
                "under 300 ms), report / bare repaint: %.0f\n",
                Median(reportMs), *std::max_element(reportMs.begin(), reportMs.end()),
                Median(reportMs) / Median(bareMs));
    return 0;
}
