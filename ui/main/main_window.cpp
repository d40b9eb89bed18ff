#include "ui/main/main_window.h"

#include "core/calculation_run.h"
#include "core/number_reading.h"
#include "core/run_fault.h"
#include "core/single_case.h"
#include "output/curve_file.h"
#include "ui/about/about_dialog.h"
#include "ui/chart/chart_scale.h"
#include "ui/chart/large_chart_view.h"
#include "ui/chart/qv_chart_view.h"
#include "ui/common/app_icon.h"
#include "ui/common/case_remark.h"
#include "ui/common/fault_message.h"
#include "ui/common/form_font.h"
#include "ui/common/grouping_note.h"
#include "ui/common/message_box.h"
#include "ui/common/regional_locale.h"
#include "ui/large_chart/large_chart_window.h"
#include "ui/main/case_commands.h"
#include "ui/main/companion_windows.h"
#include "ui/main/export_commands.h"
#include "ui/main/main_form.h"
#include "ui/main/main_menus.h"
#include "ui/main/number_input_box.h"
#include "ui/main/results_panel.h"
#include "ui/main/run_teller.h"
#include "ui/main/chart_description.h"
#include "ui/main/result_exports.h"
#include "ui/main/window_notes.h"
#include "ui/family/family_window.h"
#include "ui/margins/margins_window.h"
#include "ui/units/units_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>

#include <vector>

namespace tarvilo {

MainWindow::MainWindow(const QLocale &locale, QWidget *parent)
    : MainWindow(locale, DefaultSetsFor(RegionalSettingsOf(locale)), parent)
{
}

MainWindow::MainWindow(const QLocale &locale, const QString &startCase, QWidget *parent)
    : QMainWindow(parent),
      m_locale(locale),
      m_regional(RegionalSettingsOf(locale)),
      m_defaults(DefaultSetsFor(m_regional)),
      m_startCase(startCase)
{
    build();
}

MainWindow::MainWindow(const QLocale &locale, const StartUpSets &defaults, QWidget *parent)
    : QMainWindow(parent), m_locale(locale), m_regional(RegionalSettingsOf(locale)), m_defaults(defaults)
{
    build();
}

void MainWindow::build()
{
    setObjectName(QStringLiteral("frmInicio"));
    setWindowTitle(QStringLiteral("Tarvilo"));
    setWindowIcon(AppIcon());
    setFont(FormFont());

    buildMenus();
    m_form = BuildUnderFormFont(*this, [this] { return BuildMainForm(*this, m_locale, m_regional); });
    m_teller = std::make_unique<RunTeller>(*this, *m_form.notes, m_regional);
    m_shown.axes = RangesOf(*m_form.chartView->qvChart());
    m_companions = new CompanionWindows(*this, m_locale, m_regional, *m_exportCommands);
    connectHandlers();
    m_caseCommands = new CaseCommands(*this, m_mnuArchivo, m_exportCommands->firstCommand());
    m_exportCommands->setReportSources([this] { return m_caseCommands->casePath(); },
                                       [this] {
                                           const FamilyWindow *family = familyWindow();
                                           return family && family->isVisible() ? family->shownTableText() : QString();
                                       });
    FitMainFormToScreen(*this);

    handle([this] { Form_Load(); });
}

void MainWindow::buildMenus()
{
    // While the large chart is open, its picture has the large chart's ranges.
    auto largeChartRanges = [this]() -> std::optional<AxisRanges> {
        if (!largeChart())
            return std::nullopt;
        return RangesOf(*largeChart()->view()->qvChart());
    };
    MainMenuCommands commands;
    commands.addExports = [this, largeChartRanges](QMenu *archivo) {
        m_exportCommands = new ExportCommands(*this, archivo, m_shown, { m_locale, m_regional }, largeChartRanges);
    };
    commands.unidades = [this] { mnuUnidades_Click(); };
    commands.salir = [this] { mnuSalir_Click(); };
    commands.graficoAmpliado = [this] { mnuGraficoAmpliado_Click(); };
    commands.conservarCurvas = [this](bool keep) { mnuConservarCurvas_Click(keep); };
    commands.borrarCurvas = [this] { mnuBorrarCurvas_Click(); };
    commands.familia = [this] { mnuFamilia_Click(); };
    commands.curvaPV = [this] { mnuCurvaPV_Click(); };
    commands.margenes = [this] { mnuMargenes_Click(); };
    commands.acercaDe = [this] { mnuAcercaDe_Click(); };
    const MainMenus menus = BuildMainMenus(*this, commands);
    m_mnuArchivo = menus.archivo;
    m_mnuConservarCurvas = menus.conservarCurvas;
}

void MainWindow::connectHandlers()
{
    m_exportCommands->givePictureMenu(m_form.chartView);
    connect(m_form.cmdCalcular, &QPushButton::clicked, this, [this] { handle([this] { cmdCalcular_Click(); }); });
    connect(m_form.chartView, &QvChartView::activated, this, [this] { grfMsChart_DblClick(); });
    connect(m_form.chartView, &QvChartView::focusShown, this, [this](bool shown) { showChartFocus(shown); });
    connect(m_form.cmdValoresDefault, &QPushButton::clicked, this,
            [this] { handle([this] { cmdValoresDefault_Click(); }); });
    m_steppedRun.setSingleShot(true);
    m_steppedRun.setInterval(0);
    // A run started by a step tells what it found in the window's notes.
    connect(&m_steppedRun, &QTimer::timeout, this, [this] { handle([this] { cmdCalcular_Click(); }, true); });
    const std::pair<InputBox, void (MainWindow::*)()> handlers[] = {
        { InputBox::X, &MainWindow::txtX_Change },           { InputBox::B, &MainWindow::txtB_Change },
        { InputBox::Uinf, &MainWindow::txtUinf_Change },     { InputBox::Pcarga, &MainWindow::txtPcarga_Change },
        { InputBox::Qcarga, &MainWindow::txtQcarga_Change }, { InputBox::Qcap, &MainWindow::txtQcap_Change },
    };
    for (const auto &[box, handler] : handlers) {
        NumberInputBox *edit = m_form.inputs[static_cast<size_t>(box)];
        connect(edit, &NumberInputBox::checkedChange, this, [this, handler] { (this->*handler)(); });
        // The run reads the boxes when it starts: steps made before it are folded in.
        connect(edit, &SteppingLineEdit::stepped, &m_steppedRun, [this] { m_steppedRun.start(); });
    }
}

void MainWindow::handle(const std::function<void()> &handler, bool byStep)
{
    m_teller->command(
            [&] {
                try {
                    handler();
                } catch (const RunFault &fault) {
                    const bool inputsRead = fault.step() != RunStep::ReadInputs;
                    markChartsOutdated(inputsRead);
                    m_teller->tellFault(fault, inputsRead ? &m_qvInputs : nullptr, m_qvResults.HasSolution);
                } catch (const std::exception &) {
                    markChartsOutdated(false);
                    m_teller->tellTooLarge();
                }
            },
            byStep);
}

void MainWindow::markChartsOutdated(bool inputsRead)
{
    m_shown.note = m_shown.loaded ? QStringLiteral("Gráfico del cálculo anterior") : QStringLiteral("Sin resultados");
    if (m_shown.loaded) {
        m_shown.description = QStringLiteral("Gráfico del cálculo anterior. ")
                + ChartDescription(m_shown.inputs, m_shown.results, m_regional);
    }
    m_shown.failedRun = inputsRead ? std::optional<QvInputs>(m_qvInputs) : std::nullopt;
    m_shown.lastRunFailed = true;
    showShownCase();
    emit runFailed(m_shown.failedRun);
}

void MainWindow::showShownCase()
{
    m_form.chartView->showCase(m_shown);
    emit shownCaseChanged(m_shown);
}

// --- Handlers ---------------------------------------------------------------

void MainWindow::Form_Load()
{
    m_form.cmdCalcular->setFocus();
    if (!m_startCase.isEmpty() && m_caseCommands->openStartCase(m_startCase))
        return;
    loadInputs(m_defaults.first);
    cmdCalcular_Click();
    if (m_shown.frame.texts[static_cast<size_t>(ResultLabel::V2sup)] == QLatin1String(kErrorText)) {
        loadInputs(m_defaults.second);
        cmdCalcular_Click();
    }
}

void MainWindow::cmdCalcular_Click()
{
    m_shown.frame.writtenByLastRun.fill(false);
    m_teller->note(QString());
    // What the boxes hold as the run reads them, for "Copiar resultados".
    for (const InputBox box : kInputBoxes) {
        m_shown.frame.runInputs[static_cast<size_t>(box)] =
                ReadRegionalNumber(inputBox(box)->text().toStdString(), m_regional);
    }
    // Also when the run stops at a fault: what it did not reach is greyed.
    const struct AfterRun
    {
        MainWindow *window;
        ~AfterRun() { window->m_form.fraResultados->show(window->m_shown.frame); }
    } afterRun{ this };
    RunCalculation(*this, m_regional, m_qvInputs, m_qvResults, m_qvCurves);
}

void MainWindow::cmdValoresDefault_Click()
{
    loadInputs(m_defaults.first);
    cmdCalcular_Click();
}

void MainWindow::mnuSalir_Click()
{
    close();
}

void MainWindow::mnuAcercaDe_Click()
{
    AboutDialog::showSingle();
}

void MainWindow::mnuGraficoAmpliado_Click()
{
    m_companions->showLargeChart();
}

void MainWindow::mnuConservarCurvas_Click(bool keep)
{
    // While earlier cases are kept, the hidden check box says so to every run.
    // Turned off, no case is kept any more and those kept so far are hidden,
    // not lost: they come back when it is turned on again, and stay in the
    // case saved. Only "Borrar curvas anteriores" discards them.
    m_keepCases = keep;
    m_form.chkAgregar->setCheckState(keep ? Qt::Checked : Qt::Unchecked);
    showKeptCases();
}

void MainWindow::mnuBorrarCurvas_Click()
{
    m_kept.clear();
    showKeptCases();
}

void MainWindow::showKeptCases()
{
    m_shown.kept = m_keepCases ? m_kept.curvesAgainst(m_shown.inputs, m_regional) : std::vector<KeptCurves>();
    showShownCase();
    emit caseChanged();
}

void MainWindow::mnuFamilia_Click()
{
    m_companions->showFamily();
}

void MainWindow::mnuCurvaPV_Click()
{
    m_companions->showPvCurve();
}

QLineEdit *MainWindow::inputBox(InputBox box) const
{
    return m_form.inputs[static_cast<size_t>(box)];
}

QLabel *MainWindow::resultLabel(ResultLabel label) const
{
    return m_form.fraResultados->label(label);
}

void MainWindow::mnuUnidades_Click()
{
    m_companions->showUnits();
}

void MainWindow::applyInputs(const QvInputs &inputs, const std::optional<PhysicalBases> &bases, bool keepPrevious)
{
    for (const InputBox box : kInputBoxes)
        inputBox(box)->setText(BoxText(ValueOf(inputs, box), m_regional));
    m_shown.physicalBases = bases;
    if (keepPrevious)
        m_mnuConservarCurvas->setChecked(true);
    handle([this] { cmdCalcular_Click(); });
}

void MainWindow::mnuMargenes_Click()
{
    m_companions->showMargins();
}

void MainWindow::applyInput(InputBox box, const QString &text)
{
    inputBox(box)->setText(text);
    handle([this] { cmdCalcular_Click(); });
}

void MainWindow::grfMsChart_DblClick()
{
    mnuGraficoAmpliado_Click();
}

void MainWindow::showChartFocus(bool shown)
{
    m_form.chartFocus->setVisible(shown);
    if (shown)
        m_form.chartFocus->raise();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!m_caseCommands->askToSaveChanges()) {
        event->ignore();
        return;
    }
    // The chart windows belong to this window's runs.
    m_companions->closeAll();
    QMainWindow::closeEvent(event);
}

// --- Helpers ----------------------------------------------------------------

void MainWindow::inputChanged()
{
    // A box edited otherwise: its values are no longer the physical data's.
    if (m_shown.physicalBases) {
        m_shown.physicalBases.reset();
        showShownCase();
    }
    emit inputTextsChanged(inputTexts());
    showGroupingNote();
    emit caseChanged();
}

void MainWindow::showGroupingNote()
{
    // The first box whose separators do not group by threes.
    QString note;
    for (const QLineEdit *box : m_form.inputs) {
        note = GroupingNote(box->text(), m_regional);
        if (!note.isEmpty())
            break;
    }
    m_form.notes->set(WindowNotes::Kind::Reading, note);
}

InputBoxTexts MainWindow::inputTexts() const
{
    InputBoxTexts texts;
    for (const InputBox box : kInputBoxes)
        texts[static_cast<size_t>(box)] = NumberTextOf(inputBox(box)->text());
    return texts;
}

void MainWindow::loadInputs(const InputTexts &texts)
{
    for (InputBox box : kInputBoxes)
        inputBox(box)->setText(texts[static_cast<size_t>(box)]);
}

// --- The case of a case file -----------------------------------------------

CaseDocument MainWindow::currentCase() const
{
    CaseDocument document;
    for (const InputBox box : kInputBoxes)
        document.inputs[static_cast<size_t>(box)] = BoxValueOf(inputBox(box)->text(), m_regional);
    document.keepCases = m_keepCases;
    document.kept = m_kept.keptInputs();
    m_companions->addTo(document);
    return document;
}

std::optional<QString> MainWindow::openCase(const CaseDocument &document)
{
    // Every kept case must reach its curves before anything changes.
    std::vector<ChartGrid> keptGrids;
    for (size_t i = 0; i < document.kept.size(); ++i) {
        const CaseOutcome outcome = CalculateCase(document.kept[i]);
        if (outcome.fault && outcome.fault->step() <= RunStep::LoadSweep)
            return QStringLiteral("el caso conservado %1 no tiene curvas que dibujar").arg(i + 1);
        keptGrids.emplace_back(outcome.curves);
    }

    for (const InputBox box : kInputBoxes)
        inputBox(box)->setText(BoxText(document.inputs[static_cast<size_t>(box)], m_regional));
    m_kept.clear();
    for (size_t i = 0; i < document.kept.size(); ++i)
        m_kept.keep(document.kept[i], keptGrids[i]);
    {
        const QSignalBlocker quiet(m_mnuConservarCurvas);
        m_mnuConservarCurvas->setChecked(document.keepCases);
    }
    m_form.chkAgregar->setCheckState(document.keepCases ? Qt::Checked : Qt::Unchecked);
    // The case shown until now belongs to no file: not kept by this run.
    m_keepCases = false;
    handle([this] { cmdCalcular_Click(); });
    m_keepCases = document.keepCases;
    showKeptCases();
    m_companions->restore(document);
    return std::nullopt;
}

// --- RunHost ----------------------------------------------------------------

std::string MainWindow::readInputText(InputBox box)
{
    return NumberTextOf(inputBox(box)->text());
}

int MainWindow::readCheckBoxValue()
{
    switch (m_form.chkAgregar->checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2; // grayed
    default:
        return 0;
    }
}

void MainWindow::setLabelCaption(ResultLabel label, const std::string &text)
{
    ShownResults &frame = m_shown.frame;
    const auto index = static_cast<size_t>(label);
    frame.texts[index] = QString::fromStdString(text);
    frame.values[index] = text == kErrorText ? std::nullopt : std::optional<double>(ResultValue(m_qvResults, label));
    frame.writtenByLastRun[index] = true;
    frame.labelInputs = m_qvInputs;
    m_form.fraResultados->showValue(label, frame);
}

void MainWindow::WriteCurveFile(const QvCurves &curves)
{
    try {
        tarvilo::WriteCurveFile(curves, m_regional);
    } catch (const RunFault &fault) {
        m_teller->curveFileFailed(fault);
        return;
    }
    m_teller->curveFileWritten();
}

void MainWindow::RepaintChart(bool agregar)
{
    m_form.chartView->repaintChart(agregar);
}

void MainWindow::showNoSolutionMessage()
{
    if (m_teller->byStep()) {
        m_teller->note(QStringLiteral("No existe punto de solución."));
        return;
    }
    // Beyond the chart's scale the run stops at the chart, whose box says this too.
    if (!ReactivePowerScale(m_qvResults.Q2crit))
        return;
    m_teller->tell(QMessageBox::Information, QLatin1String(kNoSolutionText));
}

void MainWindow::LoadChart(double q2crit, const QvCurves &curves)
{
    const std::optional<AxisRanges> axes = RunRanges(q2crit);
    if (!axes)
        throw RunFault::beyondChartScale(q2crit);
    // The case shown until now is kept, unless it is the same again.
    if (m_keepCases && m_shown.loaded && !SameInputs(m_shown.inputs, m_qvInputs))
        m_kept.keep(m_shown.inputs, m_shown.grid);
    m_shown.loaded = true;
    m_shown.axes = *axes;
    m_shown.grid = ChartGrid(curves);
    m_shown.note.clear();
    m_shown.inputs = m_qvInputs;
    m_shown.results = m_qvResults;
    m_shown.marks = MarksOf(m_shown.inputs, m_shown.results);
    m_shown.description = ChartDescription(m_shown.inputs, m_shown.results, m_regional);
    m_shown.lastRunFailed = false;
    m_shown.failedRun.reset();
    showKeptCases();
    emit caseShown(m_shown.inputs, m_shown.results);
    m_exportCommands->setEnabled(true);
}

} // namespace tarvilo
