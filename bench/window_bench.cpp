// Timed driver for the main window (run it with QT_QPA_PLATFORM=offscreen):
//  - start-up: from program start to the first window shown with results;
//  - a run: from a click on "Calcular" to the window repainted, the whole
//    chart included (the chart is marked for a full repaint and the pending
//    events, the paint among them, are processed);
//  - a bare repaint: the same full repaint of the chart with nothing changed.
// Targets on a 2-core machine: start-up under 500 ms, a run at most three
// times a bare repaint.
#include "ui/chart/qv_chart.h"
#include "ui/main/main_window.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
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

}  // namespace

int main(int argc, char* argv[])
{
    QElapsedTimer sinceStart;
    sinceStart.start();

    QApplication application(argc, argv);
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());

    tarvilo::MainWindow window(QLocale::c());
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    const double startupMs = sinceStart.nsecsElapsed() / 1e6;

    auto* calcular = window.findChild<QPushButton*>(QStringLiteral("cmdCalcular"));
    QLineEdit* qcarga = window.inputBox(tarvilo::InputBox::Qcarga);
    QWidget* chart = window.chart()->viewport();
    std::vector<double> runsMs, handlerMs, bareMs;
    for (int run = 0; run < 200; ++run) {
        qcarga->setText(run % 2 ? QStringLiteral("0.00") : QStringLiteral("0.50"));  // new curves every time
        QElapsedTimer timer;
        timer.start();
        calcular->click();
        handlerMs.push_back(timer.nsecsElapsed() / 1e6);
        chart->update();
        QCoreApplication::processEvents();
        runsMs.push_back(timer.nsecsElapsed() / 1e6);

        timer.restart();
        chart->update();
        QCoreApplication::processEvents();
        bareMs.push_back(timer.nsecsElapsed() / 1e6);
    }
    const double run = Median(runsMs);
    const double bare = Median(bareMs);
    std::printf("start-up to first window with results: %.1f ms\n", startupMs);
    std::printf("run with full chart repaint: median %.2f ms, 90th percentile %.2f ms (%zu runs); click handler "
                "%.2f ms (median)\n",
                run, Percentile90(runsMs), runsMs.size(), Median(handlerMs));
    std::printf("bare full repaint of the chart: median %.2f ms\n", bare);
    std::printf("run / bare repaint: %.1f (target at most 3)\n", run / bare);
    return 0;
}
