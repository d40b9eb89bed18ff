// The floor for a whole start-up (bench/startup_ratio.py): the least a Qt
// program does that ends where tarvilo's start-up does. It writes a curve
// file of 3 header lines and 300 lines of six numbers, shows a main window
// with one chart of three 300-point curves, and, as tarvilo does when
// TARVILO_QUIT_AFTER_SHOW is set, quits once that first frame is painted;
// without it both stay open, to be compared while they run. Tarvilo's own
// windows, words, picture and checks are all left out; what tarvilo costs
// beyond this is its own.
#include "ui/common/first_frame_quit.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QMainWindow>
#include <QValueAxis>

#include <array>
#include <charconv>
#include <cmath>
#include <fstream>
#include <string>

namespace {

constexpr int kPoints = 300;

// Three curves of the shape tarvilo draws: two branches of a nose and a
// straight load line.
struct Curves
{
    std::array<double, kPoints> q{}, upper{}, lower{}, v{}, load{};
};

Curves MakeCurves()
{
    Curves curves;
    for (int i = 0; i < kPoints; ++i) {
        const double q = -4.0 + 4.0 * i / (kPoints - 1);
        const double root = std::sqrt(1.0 - q / -4.0 + 1e-9);
        curves.q[i] = q;
        curves.upper[i] = 0.5 + 0.5 * root;
        curves.lower[i] = 0.5 - 0.5 * root;
        curves.v[i] = 1.5 * i / (kPoints - 1);
        curves.load[i] = -1.0 + 0.5 * curves.v[i] * curves.v[i];
    }
    return curves;
}

void WriteFile(const Curves &curves)
{
    std::string text = "Q2;Vinf;Q2;Vsup;Qcapr;V2\r\n(pu);(pu);(pu);(pu);(pu);(pu)\r\n\r\n";
    std::array<char, 32> number{};
    for (int i = 0; i < kPoints; ++i) {
        for (double value :
             { curves.q[i], curves.lower[i], curves.q[i], curves.upper[i], curves.load[i], curves.v[i] }) {
            text.append(number.data(),
                        std::to_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed, 5)
                                .ptr);
            text += ';';
        }
        text.back() = '\r';
        text += '\n';
    }
    std::ofstream("salida.txt", std::ios::binary) << text;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const Curves curves = MakeCurves();
    WriteFile(curves);

    auto *chart = new QChart;
    chart->legend()->hide();
    chart->setTitle(QStringLiteral("Q-V"));
    auto *axisX = new QValueAxis;
    auto *axisY = new QValueAxis;
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);
    axisX->setRange(-4, 1);
    axisY->setRange(-1, 1.5);
    for (int curve = 0; curve < 3; ++curve) {
        QList<QPointF> points;
        points.reserve(kPoints);
        for (int i = 0; i < kPoints; ++i) {
            points.append(curve == 0           ? QPointF(curves.q[i], curves.lower[i])
                                  : curve == 1 ? QPointF(curves.q[i], curves.upper[i])
                                               : QPointF(curves.load[i], curves.v[i]));
        }
        auto *series = new QLineSeries;
        series->replace(points);
        chart->addSeries(series);
        series->attachAxis(axisX);
        series->attachAxis(axisY);
    }

    QMainWindow window;
    window.setCentralWidget(new QChartView(chart));
    window.resize(600, 481);
    if (qEnvironmentVariableIsSet("TARVILO_QUIT_AFTER_SHOW"))
        tarvilo::QuitAfterFirstFrame(application);
    window.show();
    return application.exec();
}
