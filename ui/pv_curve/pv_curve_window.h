#pragma once

#include "core/qv_types.h"
#include "core/regional_settings.h"

#include <QLocale>
#include <QWidget>

class QLabel;

namespace tarvilo {

class XyChartView;

// frmCurvaPV: the nose curve P-V of the present network (the voltage of bus 2
// as the load grows at its power factor), its maximum loadability Pmax and
// the active-power margin Pmax - Pcarga, with the present operating points.
// It follows every run of the main window while it is open.
class PvCurveWindow : public QWidget {
    Q_OBJECT

public:
    PvCurveWindow(const QLocale& locale, const RegionalSettings& regional, QWidget* parent = nullptr);

    // Shows the curve of a completed run.
    void follow(const QvInputs& inputs, const QvResults& results);
    // Says that there is no run to show.
    void showNoRun();

    // What the chart draws, in the order drawn.
    enum Drawn { UpperBranch, LowerBranch, NoseMark, OperatingPoints };

    XyChartView* chart() const { return m_view; }

private:
    void showNotice(const QString& text);

    RegionalSettings m_regional;
    XyChartView* m_view = nullptr;
    QLabel* m_lblPmax = nullptr;
    QLabel* m_lblMargenP = nullptr;
    QLabel* m_lblAviso = nullptr;
};

}  // namespace tarvilo
