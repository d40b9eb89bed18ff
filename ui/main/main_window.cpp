#include "ui/main/main_window.h"

#include "core/calculation_run.h"
#include "core/number_reading.h"
#include "core/run_fault.h"
#include "output/curve_file.h"
#include "ui/about/about_dialog.h"
#include "ui/chart/chart_picture.h"
#include "ui/chart/chart_scale.h"
#include "ui/chart/large_chart_view.h"
#include "ui/chart/picture_menu.h"
#include "ui/chart/qv_chart_view.h"
#include "ui/common/app_icon.h"
#include "ui/common/case_remark.h"
#include "ui/common/fault_message.h"
#include "ui/common/file_saving.h"
#include "ui/common/form_font.h"
#include "ui/common/grouping_note.h"
#include "ui/common/message_box.h"
#include "ui/common/regional_locale.h"
#include "ui/common/stepping_line_edit.h"
#include "ui/common/twips_layout.h"
#include "ui/common/value_label.h"
#include "ui/family/family_window.h"
#include "ui/large_chart/large_chart_window.h"
#include "ui/main/case_commands.h"
#include "ui/main/chart_description.h"
#include "ui/main/control_table.h"
#include "ui/main/diagram_picture.h"
#include "ui/main/result_exports.h"
#include "ui/main/result_look.h"
#include "ui/main/window_notes.h"
#include "ui/pv_curve/pv_curve_window.h"
#include "ui/units/physical_results.h"
#include "ui/units/units_dialog.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>

#include <algorithm>
#include <iterator>
#include <vector>

namespace tarvilo {
namespace {

constexpr int kClientWidth = 600; // 9000 twips
constexpr int kClientHeight = 481; // 7215 twips
constexpr const char *kPreviousNote = "del cálculo anterior";
// Room for the window manager's title bar and borders.
const QSize kWindowFrame(16, 40);

SteppingLineEdit *MakeTextBox(QWidget *parent, const InputControl &control, const RegionalSettings &regional)
{
    auto *box = Place(new SteppingLineEdit(QStringLiteral("Text1"), regional, parent), control.name,
                      Twips(control.left, control.top, kInputBoxWidth, kInputBoxHeight));
    // Qt's usual limit: a paste of millions of characters would keep the
    // window busy for minutes.
    box->setMaxLength(32767);
    box->setAccessibleName(QString::fromUtf8(control.caption));
    return box;
}

// Qt stacks later siblings on top; here the earlier-created control lies in
// front, so the picture created last ends up behind everything.
void StackEarlierInFront(const std::vector<QWidget *> &creationOrder)
{
    for (auto it = creationOrder.rbegin(); it != creationOrder.rend(); ++it)
        (*it)->raise();
}

// The window while it is open, else null. A closed window lingers until it
// is deleted: it counts as closed.
template <typename Window>
Window *IfOpen(const QPointer<Window> &window)
{
    return window && window->isVisible() ? window.data() : nullptr;
}

// One window of each kind: brought forward when it is open, made afresh when
// it is not.
template <typename Window, typename Make>
Window *ShowSingle(QPointer<Window> &window, Make make)
{
    if (!IfOpen(window)) {
        if (window)
            window->deleteLater();
        window = make();
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace

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
    buildControls(m_locale);
    connectHandlers();
    m_caseCommands =
            new CaseCommands(*this, findChild<QMenu *>(QStringLiteral("mnuArchivo")), m_resultCommands.front());
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    fitToScreen();

    handle([this] { Form_Load(); });
}

void MainWindow::fitToScreen()
{
    // On a small screen (or a large scaling) the window starts no larger
    // than the screen; the client area scrolls.
    const QSize available = screen()->availableGeometry().size() - kWindowFrame;
    QSize wanted = size();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    if (wanted.height() > available.height())
        wanted.rwidth() += scrollBar; // no bar across for the one down
    if (wanted.width() > available.width())
        wanted.rheight() += scrollBar;
    resize(wanted.boundedTo(available));
}

void MainWindow::buildMenus()
{
    // Alt+A opens "Archivo", Alt+V "Ver", Alt+D the About dialog.
    QMenu *mnuArchivo = menuBar()->addMenu(QStringLiteral("&Archivo"));
    mnuArchivo->setObjectName(QStringLiteral("mnuArchivo"));
    m_resultCommands = {
        addCommand(mnuArchivo, "mnuGuardarGrafico", QStringLiteral("&Guardar gráfico como..."),
                   &MainWindow::mnuGuardarGrafico_Click),
        addCommand(mnuArchivo, "mnuGuardarCurvas", QStringLiteral("Guardar &curvas como..."),
                   &MainWindow::mnuGuardarCurvas_Click),
        addCommand(mnuArchivo, "mnuCopiarGrafico", QStringLiteral("C&opiar gráfico"),
                   &MainWindow::mnuCopiarGrafico_Click),
        addCommand(mnuArchivo, "mnuCopiarResultados", QStringLiteral("Copiar &resultados"),
                   &MainWindow::mnuCopiarResultados_Click),
    };
    addCommand(mnuArchivo, "mnuUnidades", QStringLiteral("Datos en unidades &físicas..."),
               &MainWindow::mnuUnidades_Click);
    mnuArchivo->addSeparator();
    addCommand(mnuArchivo, "mnuSalir", QStringLiteral("&Salir"), &MainWindow::mnuSalir_Click);
    for (QAction *command : m_resultCommands)
        command->setEnabled(false);

    QMenu *mnuVer = menuBar()->addMenu(QStringLiteral("&Ver"));
    mnuVer->setObjectName(QStringLiteral("mnuVer"));
    addCommand(mnuVer, "mnuGraficoAmpliado", QStringLiteral("Gráfico &ampliado"),
               &MainWindow::mnuGraficoAmpliado_Click);
    mnuVer->addSeparator();
    QAction *keep = mnuVer->addAction(QStringLiteral("&Conservar curvas anteriores"));
    keep->setObjectName(QStringLiteral("mnuConservarCurvas"));
    keep->setCheckable(true);
    connect(keep, &QAction::toggled, this, [this](bool on) { mnuConservarCurvas_Click(on); });
    addCommand(mnuVer, "mnuBorrarCurvas", QStringLiteral("&Borrar curvas anteriores"),
               &MainWindow::mnuBorrarCurvas_Click);
    mnuVer->addSeparator();
    addCommand(mnuVer, "mnuFamilia", QStringLiteral("&Familia de curvas..."), &MainWindow::mnuFamilia_Click);
    addCommand(mnuVer, "mnuCurvaPV", QStringLiteral("Curva &P-V"), &MainWindow::mnuCurvaPV_Click);

    QAction *mnuAcercaDe = menuBar()->addAction(QStringLiteral("Acerca &de..."));
    mnuAcercaDe->setObjectName(QStringLiteral("mnuAcercaDe"));
    connect(mnuAcercaDe, &QAction::triggered, this, [this] { mnuAcercaDe_Click(); });
}

QAction *MainWindow::addCommand(QMenu *menu, const char *name, const QString &text, void (MainWindow::*handler)())
{
    QAction *action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return action;
}

void MainWindow::buildControls(const QLocale &locale)
{
    // The client area keeps its size; a window made smaller than it (or a
    // screen smaller than it) scrolls it instead of cutting controls off.
    auto *scroller = new QScrollArea(this);
    scroller->setObjectName(QStringLiteral("clientScroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);
    auto *client = new QWidget;
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFixedSize(kClientWidth, kClientHeight);
    scroller->setWidget(client);
    setCentralWidget(scroller);

    std::vector<QWidget *> order;
    auto add = [&order](auto *widget) {
        order.push_back(widget);
        return widget;
    };

    m_cmdValoresDefault = add(Place(new QPushButton(QStringLiteral("Cargar valores por defecto"), client),
                                    "cmdValoresDefault", Twips(5640, 6600, 3135, 375)));
    for (auto it = std::rbegin(kInputControls); it != std::rend(kInputControls); ++it) {
        SteppingLineEdit *box = add(MakeTextBox(client, *it, m_regional));
        // The run reads the boxes when it starts: steps made before it are folded in.
        connect(box, &SteppingLineEdit::stepped, &m_steppedRun, [this] { m_steppedRun.start(); });
        m_inputs[static_cast<size_t>(it->box)] = box;
    }
    m_chartView = add(Place(new QvChartView(locale, m_regional, client), "grfMsChart", Twips(120, 2280, 5415, 4815)));
    m_chkAgregar =
            add(Place(new QCheckBox(QStringLiteral("Agregar"), client), "chkAgregar", Twips(5640, 2520, 1815, 495)));
    m_chkAgregar->setTristate(true);
    m_chkAgregar->setVisible(false);
    m_cmdCalcular = add(
            Place(new QPushButton(QStringLiteral("Calcular"), client), "cmdCalcular", Twips(5640, 6120, 3135, 375)));
    m_fraResultados = add(
            Place(new QGroupBox(QStringLiteral("Resultados"), client), "fraResultados", Twips(5640, 3120, 3135, 2895)));
    buildResultsFrame();
    // Grey halfway between the text and the background: readable under a
    // light or a dark desktop theme, and after a change from one to the other.
    m_resultLook = new ResultLook(m_fraResultados);

    const QRect picture = Twips(120, 0, 7260, 2235);
    std::vector<QLabel *> captions;
    captions.push_back(
            add(MakeLabel(client, "Label2", QStringLiteral("Lado Carga (barra 2)"), Twips(5400, 0, 1815, 375))));
    for (auto it = std::rbegin(kInputControls); it != std::rend(kInputControls); ++it) {
        captions.push_back(add(MakeLabel(client, it->captionName, QString::fromUtf8(it->caption),
                                         Twips(it->captionLeft, it->captionTop, it->captionWidth, kCaptionHeight))));
    }
    captions.push_back(
            add(MakeLabel(client, "Label1", QStringLiteral("Lado Fuente (barra 1)"), Twips(1440, 0, 1575, 495))));
    QLabel *image1 = add(Place(new QLabel(client), "Image1", picture));
    image1->setPixmap(QPixmap::fromImage(DrawDiagramPicture()));
    image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    StackEarlierInFront(order);
    // The picture keeps its light grey under a dark desktop theme: the
    // captions standing on it keep dark text.
    for (QLabel *caption : captions) {
        if (!caption->geometry().intersects(picture))
            continue;
        QPalette palette = caption->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        caption->setPalette(palette);
    }

    // Above the results, where the hidden check box stands: what the greyed
    // values are.
    m_lblResultadosAnteriores =
            MakeLabel(client, "lblResultadosAnteriores", QStringLiteral("En gris: valores del cálculo anterior"),
                      Twips(5640, 2760, 3135, 315));
    m_lblResultadosAnteriores->hide();
    // Between the picture and that note.
    m_notes = new WindowNotes(MakeLabel(client, "lblAvisos", QString(), Twips(5640, 2250, 3135, 495)));

    // Focus cycle: Calcular, the chart, the six boxes, the default button.
    // On the chart, Enter or the space bar opens the large chart.
    m_chartView->setFocusPolicy(Qt::TabFocus);
    m_chartView->installEventFilter(this);
    m_chartFocus = Place(new QFrame(client), "fraFocoGrafico", m_chartView->geometry());
    m_chartFocus->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_chartFocus->setStyleSheet(
            QStringLiteral("QFrame { border: 2px solid palette(highlight); background: transparent; }"));
    m_chartFocus->hide();
    setTabOrder(m_cmdCalcular, m_chartView);
    QWidget *previous = m_chartView;
    for (QLineEdit *box : m_inputs) {
        setTabOrder(previous, box);
        previous = box;
    }
    setTabOrder(previous, m_cmdValoresDefault);
    for (QPushButton *button : { m_cmdCalcular, m_cmdValoresDefault }) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

void MainWindow::buildResultsFrame()
{
    // The value labels (empty until a run writes them), from the bottom row
    // up, then their titles, each value lying in front of its title.
    std::vector<QWidget *> order;
    for (auto it = std::rbegin(kResultControls); it != std::rend(kResultControls); ++it) {
        QLabel *value = MakeLabel(m_fraResultados, it->name, QString(),
                                  Twips(kResultValueLeft, it->top, kResultWidth, kResultHeight));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse); // to copy a value
        m_results[static_cast<size_t>(it->label)] = value;
        order.push_back(value);
    }
    for (const ResultControl &row : kResultControls) {
        QLabel *title = MakeLabel(m_fraResultados, row.titleName, QString::fromUtf8(row.title),
                                  Twips(kResultTitleLeft, row.top, row.titleWidth, kResultHeight));
        title->setToolTip(QString::fromUtf8(row.tooltip));
        title->setAccessibleDescription(title->toolTip());
        // A screen reader names each value by its title.
        QLabel *value = resultLabel(row.label);
        title->setBuddy(value);
        MakeValueLabel(value, title->text());
        value->setAccessibleDescription(title->toolTip());
        order.push_back(title);
    }
    StackEarlierInFront(order);
}

void MainWindow::connectHandlers()
{
    const auto [copyPicture, savePicture] = GivePictureMenu(m_chartView, chartPictures());
    for (QAction *command : { copyPicture, savePicture }) {
        command->setEnabled(false);
        m_resultCommands.push_back(command);
    }
    connect(m_cmdCalcular, &QPushButton::clicked, this, [this] { handle([this] { cmdCalcular_Click(); }); });
    connect(m_chartView, &QvChartView::doubleClicked, this, [this] { grfMsChart_DblClick(); });
    connect(m_cmdValoresDefault, &QPushButton::clicked, this,
            [this] { handle([this] { cmdValoresDefault_Click(); }); });
    m_steppedRun.setSingleShot(true);
    m_steppedRun.setInterval(0);
    connect(&m_steppedRun, &QTimer::timeout, this, [this] { steppedRun(); });
    connect(inputBox(InputBox::X), &QLineEdit::textChanged, this, [this] { txtX_Change(); });
    connect(inputBox(InputBox::B), &QLineEdit::textChanged, this, [this] { txtB_Change(); });
    connect(inputBox(InputBox::Uinf), &QLineEdit::textChanged, this, [this] { txtUinf_Change(); });
    connect(inputBox(InputBox::Pcarga), &QLineEdit::textChanged, this, [this] { txtPcarga_Change(); });
    connect(inputBox(InputBox::Qcarga), &QLineEdit::textChanged, this, [this] { txtQcarga_Change(); });
    connect(inputBox(InputBox::Qcap), &QLineEdit::textChanged, this, [this] { txtQcap_Change(); });
    // After the check, which may have put "Error" in the box.
    for (QLineEdit *box : m_inputs) {
        connect(box, &QLineEdit::textChanged, this, [this] {
            m_physicalBases.reset();
            if (m_largeChart)
                m_largeChart->view()->setPhysicalBases(std::nullopt);
            emit inputTextsChanged(inputTexts());
            showGroupingNote();
        });
    }
}

void MainWindow::handle(const std::function<void()> &handler)
{
    const int boxesBefore = m_boxesShown;
    const struct FileFailureBox
    {
        MainWindow *window;
        int boxesBefore;
        ~FileFailureBox()
        {
            // One box for one command: after another box the note tells.
            if (!window->m_fileFailureBox.isEmpty() && window->m_boxesShown == boxesBefore)
                ShowMessageBox(window, QMessageBox::Warning, window->m_fileFailureBox);
            window->m_fileFailureBox.clear();
        }
    } fileFailureBox{ this, boxesBefore };
    try {
        handler();
    } catch (const RunFault &fault) {
        const bool inputsRead = fault.step() != RunStep::ReadInputs;
        markChartsOutdated(inputsRead);
        QString message = FaultMessage(fault, m_regional, inputsRead ? &m_qvInputs : nullptr);
        // A run that stops at the chart has already found whether the curves
        // cross: one box tells both.
        if (fault.step() == RunStep::LoadChart && !m_qvResults.HasSolution)
            message += QStringLiteral("\n\nNo existe punto de solución: las características no se cortan.");
        tell(QMessageBox::Warning, message);
    } catch (const std::exception &) {
        // Out of memory for a label of hundreds of thousands of digits, say.
        markChartsOutdated(false);
        tell(QMessageBox::Warning,
             QStringLiteral("No se pudo completar el cálculo: los valores de entrada son "
                            "demasiado grandes para representarlos."));
    }
}

void MainWindow::steppedRun()
{
    m_runByStep = true;
    handle([this] { cmdCalcular_Click(); });
    m_runByStep = false;
}

void MainWindow::tell(QMessageBox::Icon icon, const QString &message)
{
    if (m_runByStep) {
        m_notes->set(WindowNotes::Kind::Run, QString(message).replace(QStringLiteral("\n\n"), QStringLiteral(" ")));
        return;
    }
    ++m_boxesShown;
    ShowMessageBox(this, icon, message);
}

void MainWindow::markChartsOutdated(bool inputsRead)
{
    m_chartView->markOutdated();
    if (m_chartView->loaded()) {
        m_chartView->setAccessibleDescription(QStringLiteral("Gráfico del cálculo anterior. ")
                                              + ChartDescription(m_shownInputs, m_shownResults, m_regional));
    }
    emit chartChanged(m_chartView);
    m_failedRun = inputsRead ? std::optional<QvInputs>(m_qvInputs) : std::nullopt;
    m_lastRunFailed = true;
    emit runFailed(m_failedRun);
}

void MainWindow::markPreviousResults()
{
    m_resultLook->show(m_lblResultadosAnteriores, true);

    bool anyPrevious = false;
    for (const ResultLabel label : kResultLabels) {
        QLabel *value = resultLabel(label);
        const bool previous = !m_writtenByLastRun[static_cast<size_t>(label)] && !value->text().isEmpty();
        anyPrevious = anyPrevious || previous;
        m_resultLook->show(value, previous);
        SetValueNote(value, previous ? QString::fromUtf8(kPreviousNote) : QString());
        const bool cut = value->fontMetrics().horizontalAdvance(value->text()) > value->width();
        const QString whole = cut ? value->text() : QString();
        value->setToolTip(previous ? QStringLiteral("Valor del cálculo anterior")
                                          + (cut ? QStringLiteral(": ") + whole : QString())
                                   : whole);
    }
    m_lblResultadosAnteriores->setVisible(anyPrevious);
}

// --- Handlers ---------------------------------------------------------------

void MainWindow::Form_Load()
{
    m_cmdCalcular->setFocus();
    if (!m_startCase.isEmpty() && m_caseCommands->openCase(m_startCase))
        return;
    loadInputs(m_defaults.first);
    cmdCalcular_Click();
    if (resultLabel(ResultLabel::V2sup)->text() == QLatin1String(kErrorText)) {
        loadInputs(m_defaults.second);
        cmdCalcular_Click();
    }
}

void MainWindow::cmdCalcular_Click()
{
    m_writtenByLastRun.fill(false);
    m_notes->set(WindowNotes::Kind::Run, QString());
    // What the boxes hold as the run reads them, for "Copiar resultados".
    for (const InputBox box : kInputBoxes) {
        m_runInputValues[static_cast<size_t>(box)] =
                ReadRegionalNumber(inputBox(box)->text().toStdString(), m_regional);
    }
    // Also when the run stops at a fault.
    const struct AfterRun
    {
        MainWindow *window;
        ~AfterRun() { window->markPreviousResults(); }
    } afterRun{ this };
    RunCalculation(*this, m_regional, m_qvInputs, m_qvResults, m_qvCurves);
}

void MainWindow::cmdValoresDefault_Click()
{
    loadInputs(m_defaults.first);
    cmdCalcular_Click();
}

void MainWindow::txtX_Change()
{
    checkInput(InputBox::X);
}
void MainWindow::txtB_Change()
{
    checkInput(InputBox::B);
}
void MainWindow::txtUinf_Change()
{
    checkInput(InputBox::Uinf);
}
void MainWindow::txtPcarga_Change()
{
    checkInput(InputBox::Pcarga);
}
void MainWindow::txtQcarga_Change()
{
    checkInput(InputBox::Qcarga);
}
void MainWindow::txtQcap_Change()
{
    checkInput(InputBox::Qcap);
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
    ShowSingle(m_largeChart, [this] {
        auto *window = new LargeChartWindow(m_locale, m_regional, this);
        window->view()->setAccessibleName(QStringLiteral("Gráfico ampliado de las curvas Q-V"));
        window->showChart(m_chartView);
        window->view()->setPhysicalBases(m_physicalBases);
        GivePictureMenu(window->view(), chartPictures());
        connect(this, &MainWindow::chartChanged, window, &LargeChartWindow::showChart);
        return window;
    });
}

void MainWindow::mnuConservarCurvas_Click(bool keep)
{
    // While earlier cases are kept, the hidden check box says so to every run.
    // Turned off, no case is kept any more and those kept so far are hidden,
    // not lost: they come back when it is turned on again, and stay in the
    // case saved. Only "Borrar curvas anteriores" discards them.
    m_keepCases = keep;
    m_chkAgregar->setCheckState(keep ? Qt::Checked : Qt::Unchecked);
    showKeptCases();
}

void MainWindow::mnuBorrarCurvas_Click()
{
    m_kept.clear();
    showKeptCases();
}

void MainWindow::showKeptCases()
{
    m_chartView->qvChart()->showKeptCases(m_keepCases ? m_kept.curvesAgainst(m_shownInputs, m_regional)
                                                      : std::vector<KeptCurves>());
    emit chartChanged(m_chartView);
    if (m_caseCommands)
        m_caseCommands->updateModified();
}

void MainWindow::mnuFamilia_Click()
{
    ShowSingle(m_family, [this] {
        auto *window = new FamilyWindow(m_locale, m_regional, inputTexts(), this);
        connect(this, &MainWindow::inputTextsChanged, window, &FamilyWindow::setInputTexts);
        window->cmdDibujar_Click();
        return window;
    });
}

void MainWindow::mnuCurvaPV_Click()
{
    ShowSingle(m_pvCurve, [this] {
        auto *window = new PvCurveWindow(m_locale, m_regional, this);
        if (m_chartView->loaded())
            window->showRun(m_shownInputs);
        if (m_lastRunFailed)
            window->showFailedRun(m_failedRun);
        connect(this, &MainWindow::caseShown, window, &PvCurveWindow::showRun);
        connect(this, &MainWindow::runFailed, window, &PvCurveWindow::showFailedRun);
        return window;
    });
}

FamilyWindow *MainWindow::familyWindow() const
{
    return IfOpen(m_family);
}

PvCurveWindow *MainWindow::pvCurveWindow() const
{
    return IfOpen(m_pvCurve);
}

LargeChartWindow *MainWindow::largeChart() const
{
    return IfOpen(m_largeChart);
}

void MainWindow::grfMsChart_DblClick()
{
    mnuGraficoAmpliado_Click();
}

void MainWindow::mnuGuardarGrafico_Click()
{
    const QString path =
            AskSavePath(this, QStringLiteral("Guardar gráfico como"), QStringLiteral("tarvilo-grafico.png"),
                        { QStringLiteral("Imagen PNG (*.png)"), QStringLiteral("Gráfico vectorial SVG (*.svg)"),
                          QStringLiteral("Documento PDF (*.pdf)") });
    if (!path.isEmpty())
        exportCommand([this, path] { saveChart(path); });
}

void MainWindow::mnuGuardarCurvas_Click()
{
    const QString path = AskSavePath(this, QStringLiteral("Guardar curvas como"), QStringLiteral("tarvilo-curvas.csv"),
                                     { QStringLiteral("Valores separados por punto y coma (*.csv)") });
    if (!path.isEmpty())
        exportCommand([this, path] { saveCurves(path); });
}

void MainWindow::mnuCopiarGrafico_Click()
{
    exportCommand([this] {
        QGuiApplication::clipboard()->setImage(
                ChartImage(*m_chartView->qvChart(), pictureRanges(), CaseCaption(m_shownInputs, m_regional)));
    });
}

void MainWindow::mnuCopiarResultados_Click()
{
    QString table = ResultsTable(m_runInputValues, m_labelInputs, m_labelValues, m_writtenByLastRun, m_regional);
    if (m_physicalBases) {
        table += PhysicalResultsTable(*m_physicalBases, m_runInputValues, m_labelInputs, m_labelValues,
                                      m_writtenByLastRun, m_regional);
    }
    QGuiApplication::clipboard()->setText(table);
}

void MainWindow::mnuUnidades_Click()
{
    // Closed, the dialog keeps its data: shown again, not made afresh.
    if (!m_units) {
        m_units = new UnitsDialog(m_regional, this);
        connect(m_units, &UnitsDialog::applyRequested, this,
                [this](const QvInputs &inputs, const PhysicalBases &bases, bool keep) {
                    applyInputs(inputs, bases, keep);
                });
    }
    m_units->show();
    m_units->raise();
    m_units->activateWindow();
}

void MainWindow::applyInputs(const QvInputs &inputs, const std::optional<PhysicalBases> &bases, bool keepPrevious)
{
    for (const InputBox box : kInputBoxes)
        inputBox(box)->setText(BoxText(ValueOf(inputs, box), m_regional));
    m_physicalBases = bases;
    if (m_largeChart)
        m_largeChart->view()->setPhysicalBases(bases);
    if (keepPrevious)
        findChild<QAction *>(QStringLiteral("mnuConservarCurvas"))->setChecked(true);
    handle([this] { cmdCalcular_Click(); });
}

void MainWindow::exportCommand(const std::function<void()> &command)
{
    try {
        command();
    } catch (const std::exception &) {
        ShowMessageBox(this, QMessageBox::Warning,
                       QStringLiteral("No se pudo completar la orden: no queda memoria suficiente."));
    }
}

// --- Exports ----------------------------------------------------------------

bool MainWindow::saveChart(const QString &path)
{
    const PictureFormat format = PictureFormatOf(path).value_or(PictureFormat::Png);
    return SaveWhole(
            this, path,
            ChartPicture(*m_chartView->qvChart(), pictureRanges(), format, CaseCaption(m_shownInputs, m_regional)));
}

bool MainWindow::saveCurves(const QString &path)
{
    return SaveWhole(this, path,
                     CurvesCsv(m_chartView->grid(), m_chartView->qvChart()->marks(), m_shownInputs,
                               m_chartView->qvChart()->note(), m_regional));
}

AxisRanges MainWindow::pictureRanges() const
{
    if (largeChart())
        return RangesOf(*m_largeChart->view()->qvChart());
    return FittedRanges(*m_chartView->qvChart());
}

ChartPictures MainWindow::chartPictures() const
{
    return { [this] {
                return ChartImage(*m_chartView->qvChart(), pictureRanges(), CaseCaption(m_shownInputs, m_regional));
            },
             [this](PictureFormat format) {
                 return ChartPicture(*m_chartView->qvChart(), pictureRanges(), format,
                                     CaseCaption(m_shownInputs, m_regional));
             },
             QStringLiteral("tarvilo-grafico.png") };
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_chartView) {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            showChartFocus(event->type() == QEvent::FocusIn);
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
                grfMsChart_DblClick();
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::showChartFocus(bool shown)
{
    m_chartFocus->setVisible(shown);
    if (shown)
        m_chartFocus->raise();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!m_caseCommands->askToSaveChanges()) {
        event->ignore();
        return;
    }
    // The chart windows belong to this window's runs.
    for (QWidget *window : std::initializer_list<QWidget *>{ m_largeChart, m_family, m_pvCurve, m_units }) {
        if (window)
            window->close();
    }
    QMainWindow::closeEvent(event);
}

// --- Helpers ----------------------------------------------------------------

void MainWindow::checkInput(InputBox box)
{
    // The run reads the box with the same rule, so a text left standing here
    // can always be read by the run.
    QLineEdit *edit = inputBox(box);
    if (const auto *stepping = qobject_cast<SteppingLineEdit *>(edit); stepping && stepping->isStepping())
        return;
    if (!ReadRegionalNumber(NumberTextOf(edit->text()), m_regional))
        edit->setText(QLatin1String(kErrorText));
}

void MainWindow::showGroupingNote()
{
    // The first box whose separators do not group by threes.
    QString note;
    for (const QLineEdit *box : m_inputs) {
        note = GroupingNote(box->text(), m_regional);
        if (!note.isEmpty())
            break;
    }
    m_notes->set(WindowNotes::Kind::Reading, note);
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

// --- RunHost ----------------------------------------------------------------

std::string MainWindow::readInputText(InputBox box)
{
    return NumberTextOf(inputBox(box)->text());
}

int MainWindow::readCheckBoxValue()
{
    switch (m_chkAgregar->checkState()) {
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
    QLabel *caption = resultLabel(label);
    caption->setText(QString::fromStdString(text));
    // A value wider than its label shows whole in its tooltip.
    const bool cut = caption->fontMetrics().horizontalAdvance(caption->text()) > caption->width();
    caption->setToolTip(cut ? caption->text() : QString());
    TellValueChanged(caption);

    const auto index = static_cast<size_t>(label);
    m_labelValues[index] = text == kErrorText ? std::nullopt : std::optional<double>(ResultValue(m_qvResults, label));
    m_writtenByLastRun[index] = true;
    m_labelInputs = m_qvInputs;
}

void MainWindow::WriteCurveFile(const QvCurves &curves)
{
    try {
        tarvilo::WriteCurveFile(curves, m_regional);
    } catch (const RunFault &fault) {
        // The run goes on without the file: the results, the chart and the
        // exports need none of it. The note stays while the file fails; a
        // new reason is told once, in a box after "Calcular".
        m_notes->set(WindowNotes::Kind::CurveFile,
                     QStringLiteral("No se pudo escribir %1: %2.")
                             .arg(QString::fromLatin1(kCurveFileName), FileFailureText(fault.fileFailure())));
        std::pair reason(fault.path(), fault.fileFailure());
        if (reason != m_toldFileFailure) {
            m_toldFileFailure = std::move(reason);
            if (!m_runByStep) {
                m_fileFailureBox = QStringLiteral("%1\n\nEl cálculo sigue sin el archivo.")
                                           .arg(FaultDescription(fault, m_regional));
            }
        }
        return;
    }
    m_notes->set(WindowNotes::Kind::CurveFile, QString());
    m_toldFileFailure.reset();
}

void MainWindow::RepaintChart(bool agregar)
{
    m_chartView->repaintChart(agregar);
}

void MainWindow::showNoSolutionMessage()
{
    if (m_runByStep) {
        m_notes->set(WindowNotes::Kind::Run, QStringLiteral("No existe punto de solución."));
        return;
    }
    // Beyond the chart's scale the run stops at the chart, whose box says this too.
    if (!ReactivePowerScale(m_qvResults.Q2crit))
        return;
    tell(QMessageBox::Information, QLatin1String(kNoSolutionText));
}

void MainWindow::LoadChart(double q2crit, const QvCurves &curves)
{
    // The case shown until now is kept, unless it is the same again.
    const bool keepShown = m_keepCases && m_chartView->loaded() && !SameInputs(m_shownInputs, m_qvInputs);
    const ChartGrid shown = keepShown ? m_chartView->grid() : ChartGrid();
    m_chartView->loadChart(q2crit, curves);
    if (keepShown)
        m_kept.keep(m_shownInputs, shown);
    m_shownInputs = m_qvInputs;
    m_shownResults = m_qvResults;
    m_chartView->showMarks(MarksOf(m_shownInputs, m_shownResults));
    m_chartView->setAccessibleDescription(ChartDescription(m_shownInputs, m_shownResults, m_regional));
    showKeptCases();
    m_lastRunFailed = false;
    emit caseShown(m_shownInputs, m_shownResults);
    for (QAction *command : m_resultCommands)
        command->setEnabled(true);
}

} // namespace tarvilo
