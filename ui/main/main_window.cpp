#include "ui/main/main_window.h"

#include "core/calculation_run.h"
#include "core/number_reading.h"
#include "core/run_fault.h"
#include "output/curve_file.h"
#include "ui/about/about_dialog.h"
#include "ui/chart/qv_chart.h"
#include "ui/common/app_icon.h"
#include "ui/common/form_font.h"
#include "ui/common/message_box.h"
#include "ui/common/twips_layout.h"
#include "ui/main/chart_description.h"
#include "ui/main/control_table.h"
#include "ui/main/diagram_picture.h"
#include "ui/main/fault_message.h"

#include <QAction>
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

#include <iterator>
#include <vector>

namespace tarvilo {
namespace {

constexpr int kClientWidth = 600;   // 9000 twips
constexpr int kClientHeight = 481;  // 7215 twips
constexpr const char* kNoSolutionText = "No existe punto solucion";
// Room for the window manager's title bar and borders.
const QSize kWindowFrame(16, 40);

QLineEdit* MakeTextBox(QWidget* parent, const InputControl& control)
{
    auto* box = Place(new QLineEdit(QStringLiteral("Text1"), parent), control.name,
                      Twips(control.left, control.top, kInputBoxWidth, kInputBoxHeight));
    // Qt's usual limit: a paste of millions of characters would keep the
    // window busy for minutes.
    box->setMaxLength(32767);
    box->setAccessibleName(QString::fromUtf8(control.caption));
    return box;
}

// Qt stacks later siblings on top; here the earlier-created control lies in
// front, so the picture created last ends up behind everything.
void StackEarlierInFront(const std::vector<QWidget*>& creationOrder)
{
    for (auto it = creationOrder.rbegin(); it != creationOrder.rend(); ++it) (*it)->raise();
}

RegionalSettings RegionalSettingsOf(const QLocale& locale)
{
    return {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()};
}

}  // namespace

MainWindow::MainWindow(const QLocale& locale, QWidget* parent)
    : MainWindow(locale, DefaultSetsFor(RegionalSettingsOf(locale)), parent)
{
}

MainWindow::MainWindow(const QLocale& locale, const StartUpSets& defaults, QWidget* parent)
    : QMainWindow(parent), m_regional(RegionalSettingsOf(locale)), m_defaults(defaults)
{
    setObjectName(QStringLiteral("frmInicio"));
    setWindowTitle(QStringLiteral("Tarvilo"));
    setWindowIcon(AppIcon());
    setFont(FormFont());

    buildMenus();
    buildControls(locale);
    connectHandlers();
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
    if (wanted.height() > available.height()) wanted.rwidth() += scrollBar;  // no bar across for the one down
    if (wanted.width() > available.width()) wanted.rheight() += scrollBar;
    resize(wanted.boundedTo(available));
}

void MainWindow::buildMenus()
{
    // Alt+A opens "Archivo", Alt+D the About dialog.
    QMenu* mnuArchivo = menuBar()->addMenu(QStringLiteral("&Archivo"));
    mnuArchivo->setObjectName(QStringLiteral("mnuArchivo"));
    QAction* mnuSalir = mnuArchivo->addAction(QStringLiteral("&Salir"));
    mnuSalir->setObjectName(QStringLiteral("mnuSalir"));
    QAction* mnuAcercaDe = menuBar()->addAction(QStringLiteral("Acerca &de..."));
    mnuAcercaDe->setObjectName(QStringLiteral("mnuAcercaDe"));
    connect(mnuSalir, &QAction::triggered, this, [this] { mnuSalir_Click(); });
    connect(mnuAcercaDe, &QAction::triggered, this, [this] { mnuAcercaDe_Click(); });
}

void MainWindow::buildControls(const QLocale& locale)
{
    // The client area keeps its size; a window made smaller than it (or a
    // screen smaller than it) scrolls it instead of cutting controls off.
    auto* scroller = new QScrollArea(this);
    scroller->setObjectName(QStringLiteral("clientScroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);
    auto* client = new QWidget;
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFixedSize(kClientWidth, kClientHeight);
    scroller->setWidget(client);
    setCentralWidget(scroller);

    std::vector<QWidget*> order;
    auto add = [&order](auto* widget) {
        order.push_back(widget);
        return widget;
    };

    m_cmdValoresDefault = add(Place(new QPushButton(QStringLiteral("Cargar valores por defecto"), client),
                                    "cmdValoresDefault", Twips(5640, 6600, 3135, 375)));
    for (auto it = std::rbegin(kInputControls); it != std::rend(kInputControls); ++it) {
        m_inputs[static_cast<size_t>(it->box)] = add(MakeTextBox(client, *it));
    }
    m_chart = add(Place(new QvChart(locale, client), "grfMsChart", Twips(120, 2280, 5415, 4815)));
    m_chkAgregar = add(Place(new QCheckBox(QStringLiteral("Agregar"), client), "chkAgregar",
                             Twips(5640, 2520, 1815, 495)));
    m_chkAgregar->setTristate(true);
    m_chkAgregar->setVisible(false);
    m_cmdCalcular = add(Place(new QPushButton(QStringLiteral("Calcular"), client), "cmdCalcular",
                              Twips(5640, 6120, 3135, 375)));
    m_fraResultados = add(Place(new QGroupBox(QStringLiteral("Resultados"), client), "fraResultados",
                                Twips(5640, 3120, 3135, 2895)));
    buildResultsFrame();

    const QRect picture = Twips(120, 0, 7260, 2235);
    std::vector<QLabel*> captions;
    captions.push_back(add(MakeLabel(client, "Label2", QStringLiteral("Lado Carga (barra 2)"), Twips(5400, 0, 1815, 375))));
    for (auto it = std::rbegin(kInputControls); it != std::rend(kInputControls); ++it) {
        captions.push_back(add(MakeLabel(client, it->captionName, QString::fromUtf8(it->caption),
                                         Twips(it->captionLeft, it->captionTop, it->captionWidth, kCaptionHeight))));
    }
    captions.push_back(add(MakeLabel(client, "Label1", QStringLiteral("Lado Fuente (barra 1)"), Twips(1440, 0, 1575, 495))));
    QLabel* image1 = add(Place(new QLabel(client), "Image1", picture));
    image1->setPixmap(QPixmap::fromImage(DrawDiagramPicture()));
    image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    StackEarlierInFront(order);
    // The picture keeps its light grey under a dark desktop theme: the
    // captions standing on it keep dark text.
    for (QLabel* caption : captions) {
        if (!caption->geometry().intersects(picture)) continue;
        QPalette palette = caption->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        caption->setPalette(palette);
    }

    // Focus cycle: Calcular, the six boxes, the default button.
    QWidget* previous = m_cmdCalcular;
    for (QLineEdit* box : m_inputs) {
        setTabOrder(previous, box);
        previous = box;
    }
    setTabOrder(previous, m_cmdValoresDefault);
    for (QPushButton* button : {m_cmdCalcular, m_cmdValoresDefault}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

void MainWindow::buildResultsFrame()
{
    // The value labels (empty until a run writes them), from the bottom row
    // up, then their titles, each value lying in front of its title.
    std::vector<QWidget*> order;
    for (auto it = std::rbegin(kResultControls); it != std::rend(kResultControls); ++it) {
        QLabel* value = MakeLabel(m_fraResultados, it->name, QString(),
                                  Twips(kResultValueLeft, it->top, kResultWidth, kResultHeight));
        m_results[static_cast<size_t>(it->label)] = value;
        order.push_back(value);
    }
    for (const ResultControl& row : kResultControls) {
        QLabel* title = MakeLabel(m_fraResultados, row.titleName, QString::fromUtf8(row.title),
                                  Twips(kResultTitleLeft, row.top, row.titleWidth, kResultHeight));
        title->setToolTip(QString::fromUtf8(row.tooltip));
        title->setAccessibleDescription(title->toolTip());
        // A screen reader names each value by its title.
        QLabel* value = resultLabel(row.label);
        title->setBuddy(value);
        value->setAccessibleName(title->text());
        value->setAccessibleDescription(title->toolTip());
        order.push_back(title);
    }
    StackEarlierInFront(order);
}

void MainWindow::connectHandlers()
{
    connect(m_cmdCalcular, &QPushButton::clicked, this, [this] { handle([this] { cmdCalcular_Click(); }); });
    connect(m_cmdValoresDefault, &QPushButton::clicked, this,
            [this] { handle([this] { cmdValoresDefault_Click(); }); });
    connect(inputBox(InputBox::X), &QLineEdit::textChanged, this, [this] { txtX_Change(); });
    connect(inputBox(InputBox::B), &QLineEdit::textChanged, this, [this] { txtB_Change(); });
    connect(inputBox(InputBox::Uinf), &QLineEdit::textChanged, this, [this] { txtUinf_Change(); });
    connect(inputBox(InputBox::Pcarga), &QLineEdit::textChanged, this, [this] { txtPcarga_Change(); });
    connect(inputBox(InputBox::Qcarga), &QLineEdit::textChanged, this, [this] { txtQcarga_Change(); });
    connect(inputBox(InputBox::Qcap), &QLineEdit::textChanged, this, [this] { txtQcap_Change(); });
}

void MainWindow::handle(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const RunFault& fault) {
        ShowMessageBox(this, QMessageBox::Warning, FaultMessage(fault, m_regional));
    } catch (const std::exception&) {
        // Out of memory for a label of hundreds of thousands of digits, say.
        ShowMessageBox(this, QMessageBox::Warning,
                       QStringLiteral("No se pudo completar el cálculo: los valores de entrada son demasiado "
                                      "grandes para representarlos."));
    }
}

// --- Handlers ---------------------------------------------------------------

void MainWindow::Form_Load()
{
    m_cmdCalcular->setFocus();
    loadInputs(m_defaults.first);
    cmdCalcular_Click();
    if (resultLabel(ResultLabel::V2sup)->text() == QLatin1String(kErrorText)) {
        loadInputs(m_defaults.second);
        cmdCalcular_Click();
    }
}

void MainWindow::cmdCalcular_Click() { RunCalculation(*this, m_regional, m_qvInputs, m_qvResults, m_qvCurves); }

void MainWindow::cmdValoresDefault_Click()
{
    loadInputs(m_defaults.first);
    cmdCalcular_Click();
}

void MainWindow::txtX_Change() { checkInput(InputBox::X); }
void MainWindow::txtB_Change() { checkInput(InputBox::B); }
void MainWindow::txtUinf_Change() { checkInput(InputBox::Uinf); }
void MainWindow::txtPcarga_Change() { checkInput(InputBox::Pcarga); }
void MainWindow::txtQcarga_Change() { checkInput(InputBox::Qcarga); }
void MainWindow::txtQcap_Change() { checkInput(InputBox::Qcap); }

void MainWindow::mnuSalir_Click() { close(); }

void MainWindow::mnuAcercaDe_Click() { AboutDialog::showSingle(); }

// --- Helpers ----------------------------------------------------------------

void MainWindow::checkInput(InputBox box)
{
    // The run reads the box with the same rule, so a text left standing here
    // can always be read by the run.
    QLineEdit* edit = inputBox(box);
    if (!ReadRegionalNumber(edit->text().toStdString(), m_regional)) edit->setText(QLatin1String(kErrorText));
}

void MainWindow::loadInputs(const InputTexts& texts)
{
    for (InputBox box : kInputBoxes) inputBox(box)->setText(texts[static_cast<size_t>(box)]);
}

// --- RunHost ----------------------------------------------------------------

std::string MainWindow::readInputText(InputBox box) { return inputBox(box)->text().toStdString(); }

int MainWindow::readCheckBoxValue()
{
    switch (m_chkAgregar->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;  // grayed
    default: return 0;
    }
}

void MainWindow::setLabelCaption(ResultLabel label, const std::string& text)
{
    resultLabel(label)->setText(QString::fromStdString(text));
}

void MainWindow::WriteCurveFile(const QvCurves& curves) { tarvilo::WriteCurveFile(curves, m_regional); }

void MainWindow::RepaintChart(bool agregar) { m_chart->repaintChart(agregar); }

void MainWindow::showNoSolutionMessage()
{
    ShowMessageBox(this, QMessageBox::Information, QLatin1String(kNoSolutionText));
}

void MainWindow::LoadChart(double q2crit, const QvCurves& curves)
{
    m_chart->loadChart(q2crit, curves);
    m_chart->setAccessibleDescription(ChartDescription(m_qvResults, m_regional));
}

}  // namespace tarvilo
