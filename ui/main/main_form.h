#pragma once

#include "core/regional_settings.h"
#include "core/run_host.h"

#include <QLocale>

#include <array>
#include <iterator>

class QCheckBox;
class QMainWindow;
class QPushButton;
class QWidget;

namespace tarvilo {

class NumberInputBox;
class QvChartView;
class ResultsPanel;
class WindowNotes;

// The controls of frmInicio.
struct MainForm
{
    std::array<NumberInputBox *, std::size(kInputBoxes)> inputs{};
    QPushButton *cmdCalcular = nullptr;
    QPushButton *cmdValoresDefault = nullptr;
    QCheckBox *chkAgregar = nullptr; // hidden: tells each run whether earlier cases are kept
    ResultsPanel *fraResultados = nullptr;
    QvChartView *chartView = nullptr;
    WindowNotes *notes = nullptr; // above the results: what is told without a box
    QWidget *chartFocus = nullptr; // a frame round the chart while it has the focus
};

// Puts the controls of frmInicio in their places on the window's client
// area, which keeps its size and scrolls on a screen smaller than it: the
// diagram with its captions, the six input boxes, the chart, the results
// frame, the two buttons and the notes, stacked and in focus order as the
// form has them. The locale spells the chart's ticks.
MainForm BuildMainForm(QMainWindow &window, const QLocale &locale, const RegionalSettings &regional);

// The window's first size: the client area under the menu bar, on a small
// screen (or a large scaling) no larger than the screen.
void FitMainFormToScreen(QMainWindow &window);

} // namespace tarvilo
