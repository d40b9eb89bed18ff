#include "ui/units/units_dialog.h"

#include "core/calculation_run.h"
#include "core/number_reading.h"
#include "ui/common/companion_window.h"
#include "ui/common/number_text.h"
#include "ui/common/quantities.h"
#include "ui/common/regional_locale.h"
#include "ui/common/screen_fit.h"
#include "ui/common/value_label.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <cmath>

namespace tarvilo {
namespace {

struct BoxControl
{
    UnitsBox box;
    const char *name;
    const char *caption;
    const char *initial; // with "." for the decimal separator
};

// The README's example: a double 132 kV line of 85 km.
constexpr BoxControl kBoxControls[] = {
    { UnitsBox::Sbase, "txtSbase", "&S base [MVA]", "100" },
    { UnitsBox::Ubase, "txtUbase", "U &base [kV]", "132" },
    { UnitsBox::Longitud, "txtLongitud", "&Longitud l [km]", "85" },
    { UnitsBox::Reactancia, "txtReactancia", "", "0.41" },
    { UnitsBox::Susceptancia, "txtSusceptancia", "", "2.8" },
    { UnitsBox::Ufuente, "txtUfuente", "Tensión de la &fuente [kV]", "138" },
    { UnitsBox::P, "txtP", "&P [MW]", "60" },
    { UnitsBox::Q, "txtQ", "&Q [Mvar]", "25.56" },
    { UnitsBox::Fp, "txtFp", "Factor &de potencia", "0.92" },
    { UnitsBox::Qbanco, "txtQbanco", "Potencia no&minal [Mvar]", "20" },
    { UnitsBox::Ubanco, "txtUbanco", "&Tensión nominal [kV]", "138" },
};

const QString kMicro = QStringLiteral("µS");

QString FieldName(PhysicalField field)
{
    switch (field) {
    case PhysicalField::BaseMva:
        return QStringLiteral("La potencia base");
    case PhysicalField::BaseKv:
        return QStringLiteral("La tensión base");
    case PhysicalField::LengthKm:
        return QStringLiteral("La longitud de la línea");
    case PhysicalField::Reactance:
        return QStringLiteral("La reactancia de la línea");
    case PhysicalField::Susceptance:
        return QStringLiteral("La susceptancia de la línea");
    case PhysicalField::Circuits:
        return QStringLiteral("El número de circuitos");
    case PhysicalField::SourceKv:
        return QStringLiteral("La tensión de la fuente");
    case PhysicalField::LoadMw:
        return QStringLiteral("La potencia activa de la carga");
    case PhysicalField::LoadMvar:
        return QStringLiteral("La potencia reactiva de la carga");
    case PhysicalField::PowerFactor:
        return QStringLiteral("El factor de potencia");
    case PhysicalField::BankMvar:
        return QStringLiteral("La potencia del banco");
    case PhysicalField::BankRatedKv:
        break;
    }
    return QStringLiteral("La tensión nominal del banco");
}

} // namespace

QString PhysicalFaultText(const PhysicalFault &fault)
{
    const QString name = FieldName(fault.field);
    switch (fault.problem) {
    case PhysicalProblem::NotFinite:
        return QStringLiteral("%1 no es un número finito.").arg(name);
    case PhysicalProblem::NotPositive:
        return QStringLiteral("%1 debe ser mayor que cero.").arg(name);
    case PhysicalProblem::Negative:
        return QStringLiteral("%1 no puede ser negativa.").arg(name);
    case PhysicalProblem::NotOneOrTwo:
        return QStringLiteral("%1 debe ser 1 o 2.").arg(name);
    case PhysicalProblem::OutsideUnitInterval:
        return QStringLiteral("%1 debe ser mayor que 0 y no mayor que 1.").arg(name);
    case PhysicalProblem::ResultOutOfRange:
        break;
    }
    return QStringLiteral("%1 da un valor por unidad fuera del alcance de los números.").arg(name);
}

UnitsDialog::UnitsDialog(const RegionalSettings &regional, QWidget *parent)
    : QWidget(parent, Qt::Window), m_regional(regional)
{
    SetUpCompanionWindow(this, QStringLiteral("frmUnidades"), QStringLiteral("Datos en unidades físicas - Tarvilo"));
    // Closed, it keeps its data for the next opening and for the case file.
    setAttribute(Qt::WA_DeleteOnClose, false);
    buildBoxes();
    update();
}

void UnitsDialog::showEvent(QShowEvent *event)
{
    if (!m_sized) {
        // The scroll area would ask for a fraction of the data's size: the
        // window opens on all of it, once the style has polished every
        // control and the values are written.
        m_sized = true;
        const QWidget *content = findChild<QWidget *>(QStringLiteral("datosUnidades"));
        const QMargins margins = layout()->contentsMargins();
        const int buttons = layout()->itemAt(1)->sizeHint().height();
        resize(content->sizeHint().width() + margins.left() + margins.right(),
               content->sizeHint().height() + layout()->spacing() + buttons + margins.top() + margins.bottom());
        FitWindowToScreen(this);
    }
    QWidget::showEvent(event);
}

void UnitsDialog::keyPressEvent(QKeyEvent *event)
{
    // Escape is "Cerrar".
    if (event->matches(QKeySequence::Cancel)) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void UnitsDialog::buildBoxes()
{
    for (const BoxControl &control : kBoxControls) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(control.name));
        edit->setMaxLength(32767);
        QString initial = QString::fromLatin1(control.initial);
        edit->setText(initial.replace(QLatin1Char('.'), QString::fromStdString(m_regional.decimalSeparator)));
        auto *caption = new QLabel(QString::fromUtf8(control.caption), this);
        caption->setObjectName(QString::fromLatin1(control.name).replace(0, 3, QStringLiteral("lbl")));
        caption->setBuddy(edit);
        m_boxes[static_cast<size_t>(control.box)] = edit;
        m_boxCaptions[static_cast<size_t>(control.box)] = caption;
    }
    const auto row = [this](QGridLayout *grid, UnitsBox which, int at) {
        grid->addWidget(m_boxCaptions[static_cast<size_t>(which)], at, 0);
        grid->addWidget(box(which), at, 1);
    };
    const auto radio = [this](const char *name, const QString &text) {
        auto *button = new QRadioButton(text, this);
        button->setObjectName(QString::fromLatin1(name));
        return button;
    };

    auto *fraBases = new QGroupBox(QStringLiteral("Bases"), this);
    fraBases->setObjectName(QStringLiteral("fraBases"));
    auto *bases = new QGridLayout(fraBases);
    row(bases, UnitsBox::Sbase, 0);
    row(bases, UnitsBox::Ubase, 1);
    auto *baseNote = new QLabel(QStringLiteral("U base: la tensión nominal de la barra 2."), this);
    baseNote->setObjectName(QStringLiteral("lblNotaBase"));
    baseNote->setWordWrap(true);
    bases->addWidget(baseNote, 2, 0, 1, 2);
    bases->setRowStretch(3, 1);

    auto *fraLinea = new QGroupBox(QStringLiteral("Línea (cada circuito)"), this);
    fraLinea->setObjectName(QStringLiteral("fraLinea"));
    auto *line = new QGridLayout(fraLinea);
    m_optPorKm = radio("optPorKm", QStringLiteral("Por &km"));
    m_optTotales = radio("optTotales", QStringLiteral("T&otales"));
    m_optPorKm->setChecked(true);
    auto *lineGroup = new QButtonGroup(this);
    lineGroup->addButton(m_optPorKm);
    lineGroup->addButton(m_optTotales);
    auto *lineChoice = new QHBoxLayout;
    lineChoice->addWidget(m_optPorKm);
    lineChoice->addWidget(m_optTotales);
    lineChoice->addStretch(1);
    line->addLayout(lineChoice, 0, 0, 1, 2);
    row(line, UnitsBox::Longitud, 1);
    row(line, UnitsBox::Reactancia, 2);
    row(line, UnitsBox::Susceptancia, 3);
    auto *circuitsCaption = new QLabel(QStringLiteral("&Circuitos en paralelo n"), this);
    circuitsCaption->setObjectName(QStringLiteral("lblCircuitos"));
    m_cboCircuitos = new QComboBox(this);
    m_cboCircuitos->setObjectName(QStringLiteral("cboCircuitos"));
    m_cboCircuitos->addItems({ QStringLiteral("1"), QStringLiteral("2") });
    m_cboCircuitos->setCurrentIndex(1);
    circuitsCaption->setBuddy(m_cboCircuitos);
    line->addWidget(circuitsCaption, 4, 0);
    line->addWidget(m_cboCircuitos, 4, 1);

    auto *fraCarga = new QGroupBox(QStringLiteral("Fuente y carga"), this);
    fraCarga->setObjectName(QStringLiteral("fraCarga"));
    auto *load = new QGridLayout(fraCarga);
    row(load, UnitsBox::Ufuente, 0);
    m_optPQ = radio("optPQ", QStringLiteral("P &y Q"));
    m_optFactor = radio("optFactor", QStringLiteral("P y factor d&e potencia"));
    m_optFactor->setChecked(true);
    auto *loadGroup = new QButtonGroup(this);
    loadGroup->addButton(m_optPQ);
    loadGroup->addButton(m_optFactor);
    auto *loadChoice = new QHBoxLayout;
    loadChoice->addWidget(m_optPQ);
    loadChoice->addWidget(m_optFactor);
    loadChoice->addStretch(1);
    load->addLayout(loadChoice, 1, 0, 1, 2);
    row(load, UnitsBox::P, 2);
    row(load, UnitsBox::Q, 3);
    row(load, UnitsBox::Fp, 4);
    m_cboTipoFp = new QComboBox(this);
    m_cboTipoFp->setObjectName(QStringLiteral("cboTipoFp"));
    m_cboTipoFp->addItems({ QStringLiteral("inductivo"), QStringLiteral("capacitivo") });
    m_cboTipoFp->setAccessibleName(QStringLiteral("Tipo de factor de potencia"));
    load->addWidget(m_cboTipoFp, 5, 1);

    auto *fraBanco = new QGroupBox(QStringLiteral("Banco de condensadores (barra 2)"), this);
    fraBanco->setObjectName(QStringLiteral("fraBanco"));
    auto *bank = new QGridLayout(fraBanco);
    row(bank, UnitsBox::Qbanco, 0);
    row(bank, UnitsBox::Ubanco, 1);
    bank->setRowStretch(2, 1);

    auto *fraPorUnidad = new QGroupBox(QStringLiteral("Valores por unidad"), this);
    fraPorUnidad->setObjectName(QStringLiteral("fraPorUnidad"));
    auto *perUnit = new QGridLayout(fraPorUnidad);
    m_lblZbase = new QLabel(this);
    m_lblZbase->setObjectName(QStringLiteral("lblZbase"));
    perUnit->addWidget(m_lblZbase, 0, 0, 1, 3);
    for (const InputBox input : kInputBoxes) {
        const auto i = static_cast<size_t>(input);
        const QString name = QStringLiteral("lblPu") + ShortName(input);
        auto *title = new QLabel(this);
        title->setObjectName(name + QStringLiteral("_tit"));
        m_values[i] = new QLabel(this);
        m_values[i]->setObjectName(name);
        m_values[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_formulas[i] = new QLabel(this);
        m_formulas[i]->setObjectName(name + QStringLiteral("_formula"));
        title->setText(ShortName(input));
        // Heard with its name, "X [p.u.]: 0,1".
        MakeValueLabel(m_values[i], title->text() + QStringLiteral(" [p.u.]"));
        perUnit->addWidget(title, static_cast<int>(i) + 1, 0);
        perUnit->addWidget(m_values[i], static_cast<int>(i) + 1, 1);
        perUnit->addWidget(m_formulas[i], static_cast<int>(i) + 1, 2);
    }
    perUnit->setColumnStretch(2, 1);
    perUnit->setColumnMinimumWidth(1, 110);

    m_lblAviso = new QLabel(this);
    m_lblAviso->setObjectName(QStringLiteral("lblAviso"));
    m_lblAviso->setWordWrap(true);
    m_lblAviso->setMinimumHeight(2 * fontMetrics().lineSpacing());

    m_cmdAplicar = new QPushButton(QStringLiteral("&Aplicar"), this);
    m_cmdAplicar->setObjectName(QStringLiteral("cmdAplicar"));
    m_cmdCircuitoFuera = new QPushButton(QStringLiteral("&Un circuito fuera"), this);
    m_cmdCircuitoFuera->setObjectName(QStringLiteral("cmdCircuitoFuera"));
    m_cmdCircuitoFuera->setToolTip(
            QStringLiteral("Calcula el caso intacto y el de un solo circuito, y los conserva juntos en el gráfico"));
    auto *cmdCerrar = new QPushButton(QStringLiteral("Cerrar"), this);
    cmdCerrar->setObjectName(QStringLiteral("cmdCerrar"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cmdAplicar);
    buttons->addWidget(m_cmdCircuitoFuera);
    buttons->addWidget(cmdCerrar);

    auto *grid = new QGridLayout;
    grid->addWidget(fraBases, 0, 0);
    grid->addWidget(fraBanco, 0, 1);
    grid->addWidget(fraLinea, 1, 0);
    grid->addWidget(fraCarga, 1, 1);
    // On a small screen (or a large scaling) the data scroll; the buttons
    // stay within reach below them.
    auto *content = new QWidget;
    content->setObjectName(QStringLiteral("datosUnidades"));
    auto *data = new QVBoxLayout(content);
    data->setContentsMargins(0, 0, 0, 0);
    data->addLayout(grid);
    data->addWidget(fraPorUnidad);
    data->addWidget(m_lblAviso);
    auto *scroller = new QScrollArea(this);
    scroller->setObjectName(QStringLiteral("desplazamientoUnidades"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setWidget(content);
    scroller->setFocusPolicy(Qt::NoFocus); // the boxes take the focus, not the frame around them
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(scroller, 1);
    layout->addLayout(buttons);

    // The focus goes through the frames as they are seen: each from its top
    // down, the bases and the bank first, then the line and the load.
    const std::array<QWidget *, 20> focusOrder = {
        box(UnitsBox::Sbase),
        box(UnitsBox::Ubase),
        box(UnitsBox::Qbanco),
        box(UnitsBox::Ubanco),
        m_optPorKm,
        m_optTotales,
        box(UnitsBox::Longitud),
        box(UnitsBox::Reactancia),
        box(UnitsBox::Susceptancia),
        m_cboCircuitos,
        box(UnitsBox::Ufuente),
        m_optPQ,
        m_optFactor,
        box(UnitsBox::P),
        box(UnitsBox::Q),
        box(UnitsBox::Fp),
        m_cboTipoFp,
        m_cmdAplicar,
        m_cmdCircuitoFuera,
        cmdCerrar,
    };
    for (size_t i = 1; i < focusOrder.size(); ++i)
        setTabOrder(focusOrder[i - 1], focusOrder[i]);

    for (QLineEdit *edit : m_boxes) {
        connect(edit, &QLineEdit::textChanged, this, [this, edit] {
            checkBox(edit);
            update();
            emit dataChanged();
        });
    }
    for (QRadioButton *button : { m_optPorKm, m_optTotales, m_optPQ, m_optFactor }) {
        connect(button, &QRadioButton::toggled, this, [this] {
            update();
            emit dataChanged();
        });
    }
    for (QComboBox *combo : { m_cboCircuitos, m_cboTipoFp }) {
        connect(combo, &QComboBox::currentIndexChanged, this, [this] {
            update();
            emit dataChanged();
        });
    }
    connect(m_cmdAplicar, &QPushButton::clicked, this, [this] { cmdAplicar_Click(); });
    connect(m_cmdCircuitoFuera, &QPushButton::clicked, this, [this] { cmdCircuitoFuera_Click(); });
    connect(cmdCerrar, &QPushButton::clicked, this, &QWidget::close);
}

void UnitsDialog::checkBox(QLineEdit *edit)
{
    // As the main window's boxes: a text that is not a number turns into "Error".
    if (!ReadRegionalNumber(NumberTextOf(edit->text()), m_regional))
        edit->setText(QLatin1String(kErrorText));
}

std::optional<PhysicalData> UnitsDialog::readData(QString *problem) const
{
    PhysicalData data;
    data.lineValues = m_optTotales->isChecked() ? LineValues::Total : LineValues::PerKm;
    data.circuits = m_cboCircuitos->currentIndex() + 1;
    data.loadValues = m_optFactor->isChecked() ? LoadValues::PowerFactor : LoadValues::PowerAndReactive;
    data.powerFactorKind = m_cboTipoFp->currentIndex() == 1 ? PowerFactorKind::Capacitive : PowerFactorKind::Inductive;
    const std::pair<UnitsBox, double *> fields[] = {
        { UnitsBox::Sbase, &data.baseMva },
        { UnitsBox::Ubase, &data.baseKv },
        { UnitsBox::Longitud, &data.lengthKm },
        { UnitsBox::Reactancia, &data.reactance },
        { UnitsBox::Susceptancia, &data.susceptance },
        { UnitsBox::Ufuente, &data.sourceKv },
        { UnitsBox::P, &data.loadMw },
        { UnitsBox::Q, &data.loadMvar },
        { UnitsBox::Fp, &data.powerFactor },
        { UnitsBox::Qbanco, &data.bankMvar },
        { UnitsBox::Ubanco, &data.bankRatedKv },
    };
    for (const auto &[which, value] : fields) {
        const QLineEdit *edit = box(which);
        if (!edit->isEnabled())
            continue; // not read in the form chosen
        const auto number = ReadRegionalNumber(NumberTextOf(edit->text()), m_regional);
        if (!number) {
            // The caption as it reads, without its access key's mark.
            const QString caption = m_boxCaptions[static_cast<size_t>(which)]->text().remove(QLatin1Char('&'));
            *problem = QStringLiteral("«%1» no es un número.").arg(caption);
            return std::nullopt;
        }
        *value = *number;
    }
    return data;
}

void UnitsDialog::update()
{
    const bool perKm = !m_optTotales->isChecked();
    const bool powerFactor = m_optFactor->isChecked();
    m_boxCaptions[static_cast<size_t>(UnitsBox::Reactancia)]->setText(perKm ? QStringLiteral("&Reactancia x [Ω/km]")
                                                                            : QStringLiteral("&Reactancia x [Ω]"));
    m_boxCaptions[static_cast<size_t>(UnitsBox::Susceptancia)]->setText(
            perKm ? QStringLiteral("Suscepta&ncia b [%1/km]").arg(kMicro)
                  : QStringLiteral("Suscepta&ncia b [%1]").arg(kMicro));
    box(UnitsBox::Longitud)->setEnabled(perKm);
    box(UnitsBox::Q)->setEnabled(!powerFactor);
    box(UnitsBox::Fp)->setEnabled(powerFactor);
    m_cboTipoFp->setEnabled(powerFactor);

    const QString length = perKm ? QStringLiteral(" · l") : QString();
    const std::array<QString, 6> formulas = {
        QStringLiteral("= x%1 / (n · Z base)").arg(length),
        QStringLiteral("= n · b%1 · Z base  (b en S)").arg(length),
        QStringLiteral("= U fuente / U base"),
        QStringLiteral("= P / S base"),
        powerFactor ? QStringLiteral("= ±|P| · tan(acos fp) / S base  (+ inductivo, − capacitivo)")
                    : QStringLiteral("= Q / S base"),
        QStringLiteral("= Q banco / S base · (U base / U nominal)²"),
    };
    for (size_t i = 0; i < formulas.size(); ++i)
        m_formulas[i]->setText(formulas[i]);

    QString problem;
    m_data = readData(&problem);
    m_inputs.reset();
    if (m_data) {
        const PerUnitConversion conversion = ToPerUnit(*m_data);
        if (conversion.fault)
            problem = PhysicalFaultText(*conversion.fault);
        else
            m_inputs = conversion.inputs;
    }
    // Z base needs the two bases only, whatever the other boxes hold.
    const auto baseOf = [this](UnitsBox which) {
        return ReadRegionalNumber(NumberTextOf(box(which)->text()), m_regional).value_or(0.0);
    };
    PhysicalData bases;
    bases.baseMva = baseOf(UnitsBox::Sbase);
    bases.baseKv = baseOf(UnitsBox::Ubase);
    const double zBaseOhm = bases.baseMva > 0 && bases.baseKv > 0 ? BaseImpedance(bases) : 0.0;
    const QString zBase = std::isfinite(zBaseOhm) && zBaseOhm > 0
            ? ExactText(zBaseOhm, m_regional) + QStringLiteral(" Ω")
            : QLatin1String(kErrorText);
    m_lblZbase->setText(QStringLiteral("Z base = U base² / S base = %1").arg(zBase));
    for (const InputBox input : kInputBoxes) {
        m_values[static_cast<size_t>(input)]->setText(m_inputs ? ExactText(ValueOf(*m_inputs, input), m_regional)
                                                               : QLatin1String(kErrorText));
    }
    m_lblAviso->setText(problem);
    m_cmdAplicar->setEnabled(m_inputs.has_value());
    m_cmdCircuitoFuera->setEnabled(m_inputs && m_data->circuits == 2);
}

void UnitsDialog::cmdAplicar_Click()
{
    if (m_inputs)
        emit applyRequested(*m_inputs, BasesOf(*m_data), false);
}

void UnitsDialog::cmdCircuitoFuera_Click()
{
    if (!m_inputs || m_data->circuits != 2)
        return;
    const PhysicalData data = *m_data;
    const PerUnitConversion oneOut = ToPerUnit(WithOneCircuitOut(data));
    // The intact case first, then the one kept beside it.
    emit applyRequested(*m_inputs, BasesOf(data), false);
    if (!oneOut.fault)
        emit applyRequested(oneOut.inputs, BasesOf(data), true);
}

CaseUnits UnitsDialog::caseUnits() const
{
    CaseUnits units;
    for (size_t i = 0; i < kUnitsBoxCount; ++i)
        units.values[i] = BoxValueOf(m_boxes[i]->text(), m_regional);
    units.lineValues = m_optTotales->isChecked() ? LineValues::Total : LineValues::PerKm;
    units.circuits = m_cboCircuitos->currentIndex() + 1;
    units.loadValues = m_optFactor->isChecked() ? LoadValues::PowerFactor : LoadValues::PowerAndReactive;
    units.powerFactorKind = m_cboTipoFp->currentIndex() == 1 ? PowerFactorKind::Capacitive : PowerFactorKind::Inductive;
    return units;
}

void UnitsDialog::setCaseUnits(const CaseUnits &units)
{
    (units.lineValues == LineValues::Total ? m_optTotales : m_optPorKm)->setChecked(true);
    m_cboCircuitos->setCurrentIndex(units.circuits == 2 ? 1 : 0);
    (units.loadValues == LoadValues::PowerFactor ? m_optFactor : m_optPQ)->setChecked(true);
    m_cboTipoFp->setCurrentIndex(units.powerFactorKind == PowerFactorKind::Capacitive ? 1 : 0);
    for (size_t i = 0; i < kUnitsBoxCount; ++i)
        m_boxes[i]->setText(BoxText(units.values[i], m_regional));
    update();
}

} // namespace tarvilo
