#include "ui/main/main_window.h"

#include "core/calculation_run.h"
#include "core/number_reading.h"
#include "core/run_fault.h"
#include "output/curve_file.h"
#include "output/qv_chart.h"
#include "ui/about/about_dialog.h"
#include "ui/about/app_icon.h"
#include "ui/about/twips_layout.h"
#include "ui/main/default_case.h"
#include "ui/main/diagram_picture.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>

#include <limits>
#include <vector>

namespace tarvilo {
namespace {

constexpr int kClientWidth = 600;   // 9000 twips
constexpr int kClientHeight = 481;  // 7215 twips

QLineEdit* MakeTextBox(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* box = Place(new QLineEdit(QStringLiteral("Text1"), parent), name, geometry);
    box->setMaxLength(std::numeric_limits<int>::max());  // no length limit
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
    : QMainWindow(parent), m_regional(RegionalSettingsOf(locale))
{
    setObjectName(QStringLiteral("frmInicio"));
    setWindowTitle(QStringLiteral("Tarvilo"));
    setWindowIcon(AppIcon());
    // The captions are sized for a small sans-serif font of about 8 points.
    setFont(QFont(QStringLiteral("Arial"), 8));

    BuildMenus();
    BuildControls(locale);
    ConnectHandlers();
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());

    Handle([this] { Form_Load(); });
}

void MainWindow::BuildMenus()
{
    QMenu* mnuArchivo = menuBar()->addMenu(QStringLiteral("Archivo"));
    mnuArchivo->setObjectName(QStringLiteral("mnuArchivo"));
    QAction* mnuSalir = mnuArchivo->addAction(QStringLiteral("Salir"));
    mnuSalir->setObjectName(QStringLiteral("mnuSalir"));
    QAction* mnuAcercaDe = menuBar()->addAction(QStringLiteral("Acerca de..."));
    mnuAcercaDe->setObjectName(QStringLiteral("mnuAcercaDe"));
    connect(mnuSalir, &QAction::triggered, this, [this] { mnuSalir_Click(); });
    connect(mnuAcercaDe, &QAction::triggered, this, [this] { mnuAcercaDe_Click(); });
}

void MainWindow::BuildControls(const QLocale& locale)
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client);

    std::vector<QWidget*> order;
    auto add = [&order](auto* widget) {
        order.push_back(widget);
        return widget;
    };

    m_cmdValoresDefault = add(Place(new QPushButton(QStringLiteral("Cargar valores por defecto"), client),
                                    "cmdValoresDefault", Twips(5640, 6600, 3135, 375)));
    m_inputs[5] = add(MakeTextBox(client, "txtQcap", Twips(7440, 1920, 1215, 285)));
    m_inputs[4] = add(MakeTextBox(client, "txtQcarga", Twips(7440, 1200, 1215, 285)));
    m_inputs[3] = add(MakeTextBox(client, "txtPcarga", Twips(7440, 480, 1215, 285)));
    m_inputs[2] = add(MakeTextBox(client, "txtUinf", Twips(120, 1320, 1215, 285)));
    m_inputs[1] = add(MakeTextBox(client, "txtB", Twips(2640, 1800, 1215, 285)));
    m_inputs[0] = add(MakeTextBox(client, "txtX", Twips(2640, 960, 1215, 285)));
    m_chart = add(Place(new QvChart(locale, m_regional, client), "grfMsChart", Twips(120, 2280, 5415, 4815)));
    m_chkAgregar = add(Place(new QCheckBox(QStringLiteral("Agregar"), client), "chkAgregar",
                             Twips(5640, 2520, 1815, 495)));
    m_chkAgregar->setTristate(true);
    m_chkAgregar->setVisible(false);
    m_cmdCalcular = add(Place(new QPushButton(QStringLiteral("Calcular"), client), "cmdCalcular",
                              Twips(5640, 6120, 3135, 375)));
    m_fraResultados = add(Place(new QGroupBox(QStringLiteral("Resultados"), client), "fraResultados",
                                Twips(5640, 3120, 3135, 2895)));

    // Inside the frame: the value labels (empty until a run writes them),
    // then their titles, each value lying in front of its title.
    std::vector<QWidget*> frameOrder;
    const struct {
        ResultLabel label;
        int top;
    } valueRows[] = {{ResultLabel::Q2inf, 2280}, {ResultLabel::V2inf, 1920}, {ResultLabel::Q2sup, 1560},
                     {ResultLabel::V2sup, 1200}, {ResultLabel::V2min, 840},  {ResultLabel::MargenQ2, 480}};
    for (const auto& row : valueRows) {
        QLabel* value = MakeLabel(m_fraResultados, ControlName(row.label), QString(), Twips(1560, row.top, 1335, 255));
        m_results[static_cast<int>(row.label)] = value;
        frameOrder.push_back(value);
    }
    const struct {
        const char* name;
        const char* caption;
        int top;
        int width;
        const char* tooltip;
    } titleRows[] = {
        {"lblMargenQ2_tit", "Margen Q2 [p.u.]", 480, 1335, "Margen de reactivo disponible."},
        {"lblV2min_tit", "V2 min [p.u.]", 840, 1575,
         "Mínima tensión medida sobre la característica del sistema (corresponde a la rama inferior)"},
        {"lblV2sup_tit", "V2 sup [p.u.]", 1200, 1335,
         "Intersección entre la rama superior de la característica del sistema y de la carga"},
        {"lblQ2sup_tit", "Q2 sup [p.u.]", 1560, 1335,
         "Intersección entre la rama superior de la característica del sistema y de la carga"},
        {"lblV2inf_tit", "V2 inf [p.u.]", 1920, 1335,
         "Intersección entre la rama inferior de la característica del sistema y de la carga"},
        {"lblQ2inf_tit", "Q2 inf [p.u.]", 2280, 1335,
         "Intersección entre la rama inferior de la característica del sistema y de la carga"},
    };
    for (const auto& row : titleRows) {
        QLabel* title = MakeLabel(m_fraResultados, row.name, QString::fromUtf8(row.caption),
                                  Twips(120, row.top, row.width, 255));
        title->setToolTip(QString::fromUtf8(row.tooltip));
        frameOrder.push_back(title);
    }
    StackEarlierInFront(frameOrder);

    add(MakeLabel(client, "Label2", QStringLiteral("Lado Carga (barra 2)"), Twips(5400, 0, 1815, 375)));
    add(MakeLabel(client, "lblQcap", QStringLiteral("Qcap [p.u.]"), Twips(7440, 1680, 1335, 255)));
    add(MakeLabel(client, "lblQcarga", QStringLiteral("Qcarga [p.u.]"), Twips(7440, 960, 1335, 255)));
    add(MakeLabel(client, "lblPcarga", QStringLiteral("Pcarga [p.u.]"), Twips(7440, 240, 1335, 255)));
    add(MakeLabel(client, "lblUinf", QStringLiteral("U inf [p.u.]"), Twips(120, 1080, 1335, 255)));
    add(MakeLabel(client, "lblB", QStringLiteral("Susceptancia [p.u.]"), Twips(2640, 1560, 1455, 255)));
    add(MakeLabel(client, "lblX", QStringLiteral("Reactancia [p.u.]"), Twips(2640, 720, 1335, 255)));
    add(MakeLabel(client, "Label1", QStringLiteral("Lado Fuente (barra 1)"), Twips(1440, 0, 1575, 495)));
    QLabel* image1 = add(Place(new QLabel(client), "Image1", Twips(120, 0, 7260, 2235)));
    image1->setPixmap(QPixmap::fromImage(DrawDiagramPicture()));
    image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    StackEarlierInFront(order);

    // Focus cycle: Calcular, the six boxes, the default button.
    QWidget* focusOrder[] = {m_cmdCalcular, m_inputs[0], m_inputs[1], m_inputs[2], m_inputs[3],
                             m_inputs[4],   m_inputs[5], m_cmdValoresDefault};
    for (size_t i = 0; i + 1 < std::size(focusOrder); ++i) setTabOrder(focusOrder[i], focusOrder[i + 1]);
    for (QPushButton* button : {m_cmdCalcular, m_cmdValoresDefault}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

void MainWindow::ConnectHandlers()
{
    connect(m_cmdCalcular, &QPushButton::clicked, this, [this] { Handle([this] { cmdCalcular_Click(); }); });
    connect(m_cmdValoresDefault, &QPushButton::clicked, this,
            [this] { Handle([this] { cmdValoresDefault_Click(); }); });
    connect(inputBox(InputBox::X), &QLineEdit::textChanged, this, [this] { txtX_Change(); });
    connect(inputBox(InputBox::B), &QLineEdit::textChanged, this, [this] { txtB_Change(); });
    connect(inputBox(InputBox::Uinf), &QLineEdit::textChanged, this, [this] { txtUinf_Change(); });
    connect(inputBox(InputBox::Pcarga), &QLineEdit::textChanged, this, [this] { txtPcarga_Change(); });
    connect(inputBox(InputBox::Qcarga), &QLineEdit::textChanged, this, [this] { txtQcarga_Change(); });
    connect(inputBox(InputBox::Qcap), &QLineEdit::textChanged, this, [this] { txtQcap_Change(); });
}

void MainWindow::Handle(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const RunFault& fault) {
        ShowMessage(QMessageBox::Warning,
                    QStringLiteral("No se pudo completar el cálculo.\n\n") + QString::fromStdString(fault.description()));
    } catch (const std::exception&) {
        // Out of memory for a label of hundreds of thousands of digits, say.
        ShowMessage(QMessageBox::Warning, QStringLiteral("No se pudo completar el cálculo: los valores de entrada "
                                                         "son demasiado grandes para representarlos."));
    }
}

// --- Handlers ---------------------------------------------------------------

void MainWindow::Form_Load()
{
    // The set whose decimal separator is the regional one comes first; the
    // other is the fallback when the first finds no operating point.
    const bool commaFirst = CommaSetFirst(m_regional);
    m_cmdCalcular->setFocus();
    LoadDefaultSet(commaFirst);
    cmdCalcular_Click();
    if (resultLabel(ResultLabel::V2sup)->text() == QLatin1String(kErrorText)) {
        LoadDefaultSet(!commaFirst);
        cmdCalcular_Click();
    }
}

void MainWindow::cmdCalcular_Click()
{
    RunCalculation(*this, m_regional, m_qvInputs, m_qvResults, m_qvCurves);
}

void MainWindow::cmdValoresDefault_Click()
{
    LoadDefaultSet(CommaSetFirst(m_regional));
    cmdCalcular_Click();
}

void MainWindow::txtX_Change() { CheckInput(InputBox::X); }
void MainWindow::txtB_Change() { CheckInput(InputBox::B); }
void MainWindow::txtUinf_Change() { CheckInput(InputBox::Uinf); }
void MainWindow::txtPcarga_Change() { CheckInput(InputBox::Pcarga); }
void MainWindow::txtQcarga_Change() { CheckInput(InputBox::Qcarga); }
void MainWindow::txtQcap_Change() { CheckInput(InputBox::Qcap); }

void MainWindow::mnuSalir_Click() { close(); }

void MainWindow::mnuAcercaDe_Click() { AboutDialog::ShowSingle(); }

// --- Helpers ----------------------------------------------------------------

void MainWindow::CheckInput(InputBox box)
{
    // The run reads the box with the same rule, so a text left standing here
    // can always be read by the run.
    QLineEdit* edit = inputBox(box);
    if (!ReadRegionalNumber(edit->text().toStdString(), m_regional)) edit->setText(QLatin1String(kErrorText));
}

void MainWindow::LoadDefaultSet(bool commaSet)
{
    const DefaultCase& set = commaSet ? kDefaultCaseComma : kDefaultCasePoint;
    for (InputBox box : kInputBoxes) inputBox(box)->setText(QString::fromLatin1(set.Text(box)));
}

// --- RunHost ----------------------------------------------------------------

std::string MainWindow::ReadInputText(InputBox box) { return inputBox(box)->text().toStdString(); }

int MainWindow::ReadCheckBoxValue()
{
    switch (m_chkAgregar->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;  // grayed
    default: return 0;
    }
}

void MainWindow::SetLabelCaption(ResultLabel label, const std::string& text)
{
    resultLabel(label)->setText(QString::fromStdString(text));
}

void MainWindow::WriteCurveFile(const QvCurves& curves) { tarvilo::WriteCurveFile(curves, m_regional); }

void MainWindow::RepaintChart(bool agregar) { m_chart->RepaintChart(agregar); }

void MainWindow::ShowNoSolutionMessage() { ShowMessage(QMessageBox::Information, QLatin1String(kNoSolutionText)); }

void MainWindow::ShowMessage(QMessageBox::Icon icon, const QString& text)
{
    QMessageBox box(icon, QStringLiteral("tarvilo"), text, QMessageBox::Ok, this);
    box.exec();
}

void MainWindow::LoadChart(double q2crit, const QvCurves& curves) { m_chart->LoadChart(q2crit, curves); }

}  // namespace tarvilo
