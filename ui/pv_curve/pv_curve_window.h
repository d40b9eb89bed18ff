#pragma once

#include "core/qv_types.h"
#include "core/regional_settings.h"

#include <QLocale>
#include <QWidget>

#include <optional>

class QLabel;

namespace tarvilo {

class ResultLook;
class StyledChart;
class XyChartView;

// The P-V chart of a case as the window draws it, for a picture of it (a
// report); the caller takes it. None, with the reason in *why, where the
// case has no curve.
StyledChart *NewPvChart(const QvInputs &inputs, const QLocale &locale, const RegionalSettings &regional, QString *why);

// frmCurvaPV: the nose curve P-V of the present network (the voltage of bus 2
// as the load grows at its power factor), its maximum loadability Pmax and
// the active-power margin Pmax - Pcarga, with the present operating points.
// It follows every run of the main window while it is open.
class PvCurveWindow : public QWidget
{
    Q_OBJECT

public:
    PvCurveWindow(const QLocale &locale, const RegionalSettings &regional, QWidget *parent = nullptr);

    // Shows the curve of a completed run.
    void showRun(const QvInputs &inputs);
    // A run that did not complete: its case when the window can trace it
    // (the main chart may have failed where this one does not), otherwise
    // what it showed with a note that it is the previous calculation. No
    // inputs when the run stopped before it had read them all.
    void showFailedRun(const std::optional<QvInputs> &inputs);
    // Says that there is no run to show.
    void showNoRun();

    // What the chart draws, in the order drawn.
    enum Drawn { UpperBranch, LowerBranch, NoseMark, OperatingPoints };

    XyChartView *chartView() const { return m_view; }

private:
    // Traces the case; false, with the reason in *why, where it cannot.
    bool showCase(const QvInputs &inputs, QString *why);
    void showNotice(const QString &text);
    void setNote(const QString &text);

    RegionalSettings m_regional;
    XyChartView *m_view = nullptr;
    QLabel *m_lblPmaxTitle = nullptr;
    QLabel *m_lblPmax = nullptr;
    QLabel *m_lblV2PmaxTitle = nullptr;
    QLabel *m_lblV2Pmax = nullptr;
    QLabel *m_lblMargenP = nullptr;
    QLabel *m_lblAviso = nullptr;
    QLabel *m_lblNota = nullptr;
    ResultLook *m_look = nullptr; // the previous calculation's values greyed
    bool m_showsCurve = false;
    QvInputs m_inputs; // the case the curve shows
};

} // namespace tarvilo
