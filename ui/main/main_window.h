#pragma once

// Tarvilo's data path: input texts -> QvInputs -> critical point and sweeps
// -> operating points -> labels, "salida.txt", chart.

#include "core/input_reading.h"
#include "core/per_unit.h"
#include "core/qv_types.h"
#include "core/regional_settings.h"
#include "core/run_fault.h"
#include "core/run_host.h"
#include "ui/chart/axis_ticks.h"
#include "ui/main/default_case.h"
#include "ui/main/kept_cases.h"

#include <QLocale>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace tarvilo {

class CaseCommands;
class FamilyWindow;
class LargeChartWindow;
class PvCurveWindow;
class QvChartView;
class UnitsDialog;
class WindowNotes;
class ResultLook;
struct ChartPictures;

// The main window frmInicio: the diagram with the six input boxes, the Q-V
// chart, the results frame, the two buttons and the menus. It owns the run's
// three records and hosts the calculation run. The windows opened from it
// listen to its signals.
class MainWindow : public QMainWindow, private RunHost
{
    Q_OBJECT
    Q_MOC_INCLUDE("ui/chart/qv_chart_view.h")
    friend class CaseCommands; // a case opened sets the boxes, kept cases and family, then runs

public:
    // Builds the window and runs Form_Load (the default case, calculated),
    // so the window is first shown with results. The locale gives the
    // decimal separator of everything read and written.
    explicit MainWindow(const QLocale &locale, QWidget *parent = nullptr);
    // The same with other default sets, for tests.
    MainWindow(const QLocale &locale, const StartUpSets &defaults, QWidget *parent = nullptr);
    // Opens on the case file at startCase instead of the default set; one
    // that cannot be opened is told, and the default set follows.
    MainWindow(const QLocale &locale, const QString &startCase, QWidget *parent = nullptr);

    // "Abrir caso...", "Guardar caso" and the open case.
    CaseCommands *caseCommands() const { return m_caseCommands; }

    QLineEdit *inputBox(InputBox box) const { return m_inputs[static_cast<size_t>(box)]; }
    QLabel *resultLabel(ResultLabel label) const { return m_results[static_cast<size_t>(label)]; }
    QvChartView *chartView() const { return m_chartView; }
    // The large chart while it is open, else null.
    LargeChartWindow *largeChart() const;
    FamilyWindow *familyWindow() const;
    PvCurveWindow *pvCurveWindow() const;

    // What the export commands do once a file has been chosen: the chart as
    // PNG, SVG or PDF (by the name's ending), the curves as CSV. A file is
    // written whole or not at all; a failure is told. True when written.
    bool saveChart(const QString &path);
    bool saveCurves(const QString &path);

    // Writes inputs into the six boxes (as a case opened writes them, reading
    // back as the same doubles) and calculates as "Calcular" does;
    // keepPrevious first ticks "Conservar curvas anteriores". Until a box is
    // changed otherwise, "Copiar resultados" also gives the results in the
    // physical units of bases.
    void applyInputs(const QvInputs &inputs, const std::optional<PhysicalBases> &bases, bool keepPrevious);
    std::optional<PhysicalBases> physicalBases() const { return m_physicalBases; }

signals:
    // The main chart shows something new: a run's case, the mark of a run
    // that failed, other kept cases.
    void chartChanged(const tarvilo::QvChartView *chart);
    // A run reached the chart with this case.
    void caseShown(const tarvilo::QvInputs &inputs, const tarvilo::QvResults &results);
    // A run stopped at a fault; its inputs when it had read them all.
    void runFailed(const std::optional<tarvilo::QvInputs> &inputs);
    // An input box's text changed: the texts of all six.
    void inputTextsChanged(const tarvilo::InputBoxTexts &texts);

protected:
    void closeEvent(QCloseEvent *event) override;
    // Enter or the space bar on the chart opens the large chart.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Handlers, one per control and event.
    void Form_Load();
    void cmdCalcular_Click();
    void cmdValoresDefault_Click();
    void txtX_Change();
    void txtB_Change();
    void txtUinf_Change();
    void txtPcarga_Change();
    void txtQcarga_Change();
    void txtQcap_Change();
    void mnuSalir_Click();
    void mnuAcercaDe_Click();
    void mnuGuardarGrafico_Click();
    void mnuGuardarCurvas_Click();
    void mnuCopiarGrafico_Click();
    void mnuCopiarResultados_Click();
    void mnuGraficoAmpliado_Click();
    void mnuConservarCurvas_Click(bool keep);
    void mnuFamilia_Click();
    void mnuCurvaPV_Click();
    void mnuUnidades_Click();
    void mnuBorrarCurvas_Click();
    void grfMsChart_DblClick();

    // RunHost
    std::string readInputText(InputBox box) override;
    int readCheckBoxValue() override;
    void setLabelCaption(ResultLabel label, const std::string &text) override;
    void WriteCurveFile(const QvCurves &curves) override;
    void RepaintChart(bool agregar) override;
    void showNoSolutionMessage() override;
    void LoadChart(double q2crit, const QvCurves &curves) override;

    void build();
    void fitToScreen();
    void buildMenus();
    QAction *addCommand(QMenu *menu, const char *name, const QString &text, void (MainWindow::*handler)());
    void buildControls(const QLocale &locale);
    void buildResultsFrame();
    void connectHandlers();
    void checkInput(InputBox box);
    void loadInputs(const InputTexts &texts);
    // Runs a handler; a calculation that ends at a fault ends the handler
    // too, and is reported once.
    void handle(const std::function<void()> &handler);
    // A run started by a step tells what it found in the window's notes: a
    // message box per step would swallow the held key's repeats.
    void steppedRun();
    void tell(QMessageBox::Icon icon, const QString &message);
    void showKeptCases();
    // The chart no longer shows the inputs' case: said on both charts.
    // inputsRead: the run stopped after reading every input box.
    void markChartsOutdated(bool inputsRead);
    // Asks for a file to save to, the suggested name's type by default.
    // Runs an export command; a failure (such as no memory left for the
    // picture) is told, and the window goes on.
    void exportCommand(const std::function<void()> &command);
    // The ranges an exported picture shows: those of the large chart while
    // it is open, else all curves and marks.
    AxisRanges pictureRanges() const;
    // The pictures "Copiar gráfico" and "Guardar gráfico como..." make, also
    // from the context menu of the main and the large chart.
    ChartPictures chartPictures() const;
    // After a run, the values it did not reach (it stopped at a fault) are
    // marked as those of the previous calculation.
    void markPreviousResults();
    InputBoxTexts inputTexts() const;
    // A box read otherwise than it looks ("0.1" as 1 under Spanish settings) is said in the notes.
    void showGroupingNote();
    void showChartFocus(bool shown);

    QLocale m_locale;
    RegionalSettings m_regional;
    StartUpSets m_defaults;
    QString m_startCase;
    CaseCommands *m_caseCommands = nullptr;
    QvInputs m_qvInputs;
    QvResults m_qvResults;
    QvCurves m_qvCurves;
    // The inputs and results of the last run that reached the chart.
    QvInputs m_shownInputs;
    QvResults m_shownResults;
    // What the results frame shows: the value behind each label (none for
    // "Error"), whether the last run wrote it, and the inputs of the last
    // run that wrote any.
    std::array<std::optional<double>, std::size(kResultLabels)> m_labelValues{};
    std::array<bool, std::size(kResultLabels)> m_writtenByLastRun{};
    QvInputs m_labelInputs;
    // What the six boxes held, read as numbers, when the last run started.
    std::array<std::optional<double>, std::size(kInputBoxes)> m_runInputValues{};
    bool m_lastRunFailed = false;
    std::optional<QvInputs> m_failedRun; // the inputs of a failed run that read them all

    std::array<QLineEdit *, std::size(kInputBoxes)> m_inputs{};
    std::array<QLabel *, std::size(kResultLabels)> m_results{};
    QPushButton *m_cmdCalcular = nullptr;
    QPushButton *m_cmdValoresDefault = nullptr;
    QCheckBox *m_chkAgregar = nullptr;
    QGroupBox *m_fraResultados = nullptr;
    QvChartView *m_chartView = nullptr;
    QLabel *m_lblResultadosAnteriores = nullptr; // says what the greyed values are
    WindowNotes *m_notes = nullptr; // above the results: what is told without a box
    bool m_runByStep = false;
    int m_boxesShown = 0; // by tell(): a handler that showed one gives no second
    // The curve file's failure last told (its path and reason), and the box
    // that tells a new one once the handler's runs are done.
    std::optional<std::pair<std::string, FileFailure>> m_toldFileFailure;
    QString m_fileFailureBox;
    ResultLook *m_resultLook = nullptr;
    QWidget *m_chartFocus = nullptr; // a frame round the chart while it has the focus
    QPointer<LargeChartWindow> m_largeChart;
    QPointer<FamilyWindow> m_family;
    QPointer<PvCurveWindow> m_pvCurve;
    QPointer<UnitsDialog> m_units;
    std::optional<PhysicalBases> m_physicalBases; // of the inputs the units dialog wrote
    std::vector<QAction *> m_resultCommands; // enabled once a run has reached the chart
    KeptCases m_kept;
    bool m_keepCases = false;
    // Steps that come faster than runs are folded into one run of the latest value.
    QTimer m_steppedRun;
};

} // namespace tarvilo
