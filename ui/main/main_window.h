#pragma once

// Tarvilo's data path: input texts -> QvInputs -> critical point and sweeps
// -> operating points -> labels, "salida.txt", chart.

#include "core/input_reading.h"
#include "core/per_unit.h"
#include "core/qv_types.h"
#include "core/regional_settings.h"
#include "core/run_fault.h"
#include "core/run_host.h"
#include "document/case_file.h"
#include "ui/main/companion_windows.h"
#include "ui/chart/shown_case.h"
#include "ui/main/default_case.h"
#include "ui/main/main_form.h"
#include "ui/main/run_teller.h"
#include "ui/main/kept_cases.h"

#include <QLocale>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace tarvilo {

class CaseCommands;
class ExportCommands;
class FamilyWindow;
class LargeChartWindow;
class NumberInputBox;
class MarginsWindow;
class PvCurveWindow;
class QvChartView;
class ResultsPanel;
class WindowNotes;

// The main window frmInicio: the diagram with the six input boxes, the Q-V
// chart, the results frame, the two buttons and the menus. It hosts the
// calculation run and keeps what it shows as one value, which the chart,
// the results frame, the exports and the windows opened from it take.
class MainWindow : public QMainWindow, private RunHost
{
    Q_OBJECT
    Q_MOC_INCLUDE("ui/chart/qv_chart_view.h")

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

    QLineEdit *inputBox(InputBox box) const;
    QLabel *resultLabel(ResultLabel label) const;
    QvChartView *chartView() const { return m_form.chartView; }
    // What the window shows now.
    const ShownCase &shownCase() const { return m_shown; }
    // The large chart while it is open, else null.
    LargeChartWindow *largeChart() const { return m_companions->largeChart(); }
    FamilyWindow *familyWindow() const { return m_companions->family(); }
    PvCurveWindow *pvCurveWindow() const { return m_companions->pvCurve(); }
    MarginsWindow *marginsWindow() const { return m_companions->margins(); }

    // Writes the text into the box and calculates, as "Calcular" does.
    void applyInput(InputBox box, const QString &text);

    // The texts of the six boxes as the run reads them.
    InputBoxTexts inputTexts() const;

    // What a case file holds of the window: the six boxes, the kept cases
    // and "Conservar curvas anteriores", the family and the sizing while their windows are open.
    CaseDocument currentCase() const;
    // Shows a case: its values in the boxes (with the regional separator),
    // its kept cases, then a calculation as "Calcular" makes, then its
    // family and its sizing. A case with a kept case that has no curves to draw is refused
    // before anything changes: the reason, else none.
    std::optional<QString> openCase(const CaseDocument &document);

    // "Guardar gráfico como...", "Guardar curvas como...", "Exportar informe..." and the copies.
    ExportCommands &exportCommands() const { return *m_exportCommands; }

    // Writes inputs into the six boxes (as a case opened writes them, reading
    // back as the same doubles) and calculates as "Calcular" does;
    // keepPrevious first ticks "Conservar curvas anteriores". Until a box is
    // changed otherwise, "Copiar resultados" also gives the results in the
    // physical units of bases.
    void applyInputs(const QvInputs &inputs, const std::optional<PhysicalBases> &bases, bool keepPrevious);
    std::optional<PhysicalBases> physicalBases() const { return m_shown.physicalBases; }

signals:
    // What the window shows has changed: a run's case, the mark of a run
    // that failed, other kept cases.
    void shownCaseChanged(const tarvilo::ShownCase &shown);
    // A run reached the chart with this case.
    void caseShown(const tarvilo::QvInputs &inputs, const tarvilo::QvResults &results);
    // A run stopped at a fault; its inputs when it had read them all.
    void runFailed(const std::optional<tarvilo::QvInputs> &inputs);
    // An input box's text changed: the texts of all six.
    void inputTextsChanged(const tarvilo::InputBoxTexts &texts);
    // What a case file would hold has changed.
    void caseChanged();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Handlers, one per control and event.
    void Form_Load();
    void cmdCalcular_Click();
    void cmdValoresDefault_Click();
    void txtX_Change() { inputChanged(); }
    void txtB_Change() { inputChanged(); }
    void txtUinf_Change() { inputChanged(); }
    void txtPcarga_Change() { inputChanged(); }
    void txtQcarga_Change() { inputChanged(); }
    void txtQcap_Change() { inputChanged(); }
    void mnuSalir_Click();
    void mnuAcercaDe_Click();
    void mnuGraficoAmpliado_Click();
    void mnuConservarCurvas_Click(bool keep);
    void mnuFamilia_Click();
    void mnuCurvaPV_Click();
    void mnuMargenes_Click();
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
    void buildMenus();
    void connectHandlers();
    // What every box's change tells, once the box has checked its text.
    void inputChanged();
    void loadInputs(const InputTexts &texts);
    // Runs a handler; a calculation that ends at a fault ends the handler
    // too, and is reported once.
    void handle(const std::function<void()> &handler, bool byStep = false);
    // The kept cases drawn now, after a run or a change of what is kept.
    void showKeptCases();
    // The chart no longer shows the inputs' case: said on both charts.
    // inputsRead: the run stopped after reading every input box.
    void markChartsOutdated(bool inputsRead);
    // The value shown has changed: drawn and told.
    void showShownCase();
    // A box read otherwise than it looks ("0.1" as 1 under Spanish settings) is said in the notes.
    void showGroupingNote();
    void showChartFocus(bool shown);

    QLocale m_locale;
    RegionalSettings m_regional;
    StartUpSets m_defaults;
    QString m_startCase;
    CaseCommands *m_caseCommands = nullptr;
    ExportCommands *m_exportCommands = nullptr;
    QvInputs m_qvInputs;
    QvResults m_qvResults;
    QvCurves m_qvCurves;
    ShownCase m_shown;

    MainForm m_form;
    std::unique_ptr<RunTeller> m_teller;
    CompanionWindows *m_companions = nullptr;
    KeptCases m_kept;
    bool m_keepCases = false;
    QMenu *m_mnuArchivo = nullptr;
    QAction *m_mnuConservarCurvas = nullptr;
    // Steps that come faster than runs are folded into one run of the latest value.
    QTimer m_steppedRun;
};

} // namespace tarvilo
