// Timed driver for the main window (run it with QT_QPA_PLATFORM=offscreen):
//  - start-up: from program start to the first window shown with results;
//  - a run: from a click on "Calcular" to the chart repainted with the new
//    curves (the handler returns, pending events are processed, and a grab
//    of the chart view paints it in full).
// Targets on a 2-core machine: start-up under 500 ms, a run under 5 ms.
#include "output/qv_chart.h"
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
    std::vector<double> runsMs, handlerMs, eventsMs, grabMs;
    for (int run = 0; run < 200; ++run) {
        qcarga->setText(run % 2 ? QStringLiteral("0.00") : QStringLiteral("0.50"));  // new curves every time
        QElapsedTimer timer;
        timer.start();
        calcular->click();
        const double handler = timer.nsecsElapsed() / 1e6;
        QCoreApplication::processEvents();
        const double events = timer.nsecsElapsed() / 1e6;
        const QPixmap painted = window.chart()->grab();
        runsMs.push_back(timer.nsecsElapsed() / 1e6);
        handlerMs.push_back(handler);
        eventsMs.push_back(events - handler);
        grabMs.push_back(runsMs.back() - events);
        if (painted.isNull()) return 1;
    }
    const auto median = [](std::vector<double> values) {
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    std::sort(runsMs.begin(), runsMs.end());
    std::printf("start-up to first window with results: %.1f ms\n", startupMs);
    std::printf("run with chart repaint: median %.2f ms, 90th percentile %.2f ms, worst %.2f ms (%zu runs)\n",
                runsMs[runsMs.size() / 2], runsMs[runsMs.size() * 9 / 10], runsMs.back(), runsMs.size());
    std::printf("  of which: click handler %.2f ms, pending events %.2f ms, chart grab %.2f ms (medians)\n",
                median(handlerMs), median(eventsMs), median(grabMs));
    return 0;
}
