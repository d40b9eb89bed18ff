#include "ui/margins/margins_window.h"

#include "core/number_format.h"
#include "core/number_reading.h"
#include "core/qv_method_margin.h"
#include "core/qv_model.h"
#include "core/run_fault.h"
#include "core/stability_margins.h"
#include "document/case_file.h"
#include "ui/common/companion_window.h"
#include "ui/common/number_text.h"
#include "ui/common/quantities.h"
#include "ui/common/regional_locale.h"
#include "ui/common/result_look.h"
#include "ui/common/screen_fit.h"
#include "ui/common/stepping_line_edit.h"
#include "ui/common/value_label.h"
#include "ui/margins/margin_texts.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <array>

namespace tarvilo {
namespace {

// What the tables show of one case, in the order of Quantity.
enum Quantity {
    kMargenQ2,
    kMargenQV,
    kMargenP,
    kMargenPPercent,
    kVoltageDistance,
    kV2sup,
    kDQcargaUpper,
    kDQcargaLower,
    kDPcargaUpper,
    kDPcargaLower,
    kIndexLUpper,
    kIndexLLower,
    kBankAtV2sup,
    kQuantities
};
using CaseTexts = std::array<QString, kQuantities>;

struct QuantityRow
{
    Quantity quantity;
    const char *key; // the value label is "lbl" + key
    const char *name;
    const char *unit;
    const char *meaning;
};

const QuantityRow kPointRows[] = {
    { kMargenQ2, "MargenQ2", "Margen Q2", "p.u.",
      "Potencia reactiva que aún cabe entre la carga y la nariz de la característica del sistema" },
    { kMargenQV, "MargenQV", "Margen QV", "p.u.",
      "Mayor distancia entre la característica del sistema y la de la carga (método Q-V)" },
    { kMargenP, "MargenP", "Margen P", "p.u.",
      "Potencia activa que la carga aún puede crecer con su factor de potencia: Pmax - Pcarga" },
    { kMargenPPercent, "MargenPPorCiento", "Margen P", "%", "El margen de potencia activa en porcentaje de Pcarga" },
    { kVoltageDistance, "DistanciaV2", "V2 sup - V2 crit", "p.u.",
      "Cuánto puede bajar la tensión del punto de operación hasta la nariz" },
    { kDQcargaUpper, "dV2dQcargaSup", "dV2/dQcarga en V2 sup", "p.u./p.u.",
      "Cambio de V2 sup por cada p.u. más de Qcarga, lo demás fijo" },
    { kDQcargaLower, "dV2dQcargaInf", "dV2/dQcarga en V2 inf", "p.u./p.u.",
      "Cambio de V2 inf por cada p.u. más de Qcarga, lo demás fijo" },
    { kDPcargaUpper, "dV2dPcargaSup", "dV2/dPcarga en V2 sup", "p.u./p.u.",
      "Cambio de V2 sup por cada p.u. más de Pcarga, lo demás fijo" },
    { kDPcargaLower, "dV2dPcargaInf", "dV2/dPcarga en V2 inf", "p.u./p.u.",
      "Cambio de V2 inf por cada p.u. más de Pcarga, lo demás fijo" },
    { kIndexLUpper, "IndiceLSup", "Índice L en V2 sup", "",
      "0 sin carga, 1 en la nariz: cuanto más cerca de 1, más cerca del colapso" },
    { kIndexLLower, "IndiceLInf", "Índice L en V2 inf", "", "Mayor que 1 en el punto inferior, que es inestable" },
};

const QuantityRow kSizingRows[] = {
    { kMargenQ2, "MargenQ2", "Margen Q2", "p.u.", "" },
    { kMargenQV, "MargenQV", "Margen QV", "p.u.", "" },
    { kMargenP, "MargenP", "Margen P", "p.u.", "" },
    { kV2sup, "V2sup", "V2 sup", "p.u.", "" },
    { kDQcargaUpper, "dV2dQcargaSup", "dV2/dQcarga en V2 sup", "p.u./p.u.", "" },
    { kDPcargaUpper, "dV2dPcargaSup", "dV2/dPcarga en V2 sup", "p.u./p.u.", "" },
    { kIndexLUpper, "IndiceLSup", "Índice L en V2 sup", "", "" },
    { kBankAtV2sup, "QcapV2sup2", "Qcap·V2sup²", "p.u.", "" },
};

QString Title(const QString &name, const QString &unit)
{
    return unit.isEmpty() ? name : name + QStringLiteral(" [") + unit + QLatin1Char(']');
}

QString Number(double value, const RegionalSettings &regional)
{
    return QString::fromStdString(FormatWithPattern(value, kLabelPattern, regional));
}

QString Shown(const MarginValue &value, const RegionalSettings &regional)
{
    return value.exists() ? Number(value.value, regional) : AbsenceText(*value.absence);
}

// Every value the tables show of a case; margenQ2 as the run gave it, if it ran.
CaseTexts TextsOf(const QvInputs &inputs, std::optional<double> margenQ2, const RegionalSettings &regional)
{
    CaseTexts texts;
    if (!margenQ2) {
        try {
            QvResults results;
            ComputeCriticalPoint(inputs, results);
            margenQ2 = results.MargenQ2;
        } catch (const RunFault &) {
        }
    }
    texts[kMargenQ2] = margenQ2 ? Number(*margenQ2, regional) : AbsenceText(MarginAbsence::TooLarge);
    texts[kMargenQV] = QvMarginText(ComputeQvMethodMargin(inputs), regional);
    const StabilityMargins margins = ComputeStabilityMargins(inputs);
    texts[kMargenP] = Shown(margins.activeMargin, regional);
    texts[kMargenPPercent] = Shown(margins.activeMarginPercent, regional);
    texts[kVoltageDistance] = Shown(margins.voltageDistance, regional);
    texts[kV2sup] = Shown(margins.upper.voltage, regional);
    texts[kDQcargaUpper] = Shown(margins.upper.dV2dQcarga, regional);
    texts[kDQcargaLower] = Shown(margins.lower.dV2dQcarga, regional);
    texts[kDPcargaUpper] = Shown(margins.upper.dV2dPcarga, regional);
    texts[kDPcargaLower] = Shown(margins.lower.dV2dPcarga, regional);
    texts[kIndexLUpper] = Shown(margins.upper.indexL, regional);
    texts[kIndexLLower] = Shown(margins.lower.indexL, regional);
    if (margins.upper.voltage.exists()) {
        const double v = margins.upper.voltage.value;
        texts[kBankAtV2sup] = Number(inputs.Qcap * v * v, regional);
    } else {
        texts[kBankAtV2sup] = Shown(margins.upper.voltage, regional);
    }
    return texts;
}

// The margins of the operating-point table in physical units: what each is
// in (its per-unit value times the factor), "" for one without a unit.
struct PhysicalUnit
{
    double factor;
    const char *unit;
};
std::optional<PhysicalUnit> PhysicalUnitOf(Quantity quantity, const PhysicalBases &bases)
{
    const double kvPerMva = bases.baseKv / bases.baseMva;
    switch (quantity) {
    case kMargenQ2:
    case kMargenQV:
        return PhysicalUnit{ bases.baseMva, "Mvar" };
    case kMargenP:
        return PhysicalUnit{ bases.baseMva, "MW" };
    case kVoltageDistance:
        return PhysicalUnit{ bases.baseKv, "kV" };
    case kDQcargaUpper:
    case kDQcargaLower:
        return PhysicalUnit{ kvPerMva, "kV/Mvar" };
    case kDPcargaUpper:
    case kDPcargaLower:
        return PhysicalUnit{ kvPerMva, "kV/MW" };
    default:
        return std::nullopt;
    }
}

// The per-unit values those texts show, where they exist.
std::array<std::optional<double>, kQuantities> ValuesOf(const QvInputs &inputs, double margenQ2)
{
    std::array<std::optional<double>, kQuantities> values{};
    const auto take = [](const MarginValue &value) {
        return value.exists() ? std::optional(value.value) : std::nullopt;
    };
    values[kMargenQ2] = margenQ2;
    const QvMethodMargin qv = ComputeQvMethodMargin(inputs);
    if (qv.kind == QvMethodMargin::Kind::Maximum)
        values[kMargenQV] = qv.value;
    const StabilityMargins margins = ComputeStabilityMargins(inputs);
    values[kMargenP] = take(margins.activeMargin);
    values[kVoltageDistance] = take(margins.voltageDistance);
    values[kDQcargaUpper] = take(margins.upper.dV2dQcarga);
    values[kDQcargaLower] = take(margins.lower.dV2dQcarga);
    values[kDPcargaUpper] = take(margins.upper.dV2dPcarga);
    values[kDPcargaLower] = take(margins.lower.dV2dPcarga);
    return values;
}

void SetValue(QLabel *label, const QString &text)
{
    if (label->text() == text)
        return;
    label->setText(text);
    TellValueChanged(label);
}

// A text quoted in a sentence: a long one by its beginning, so that the
// sentence still fits the window.
QString Quoted(const QString &text)
{
    constexpr qsizetype kShownCharacters = 20;
    const QString trimmed = text.trimmed();
    return trimmed.size() > kShownCharacters ? trimmed.left(kShownCharacters) + QStringLiteral("…") : trimmed;
}

} // namespace

MarginsWindow::MarginsWindow(const RegionalSettings &regional, QWidget *parent)
    : QWidget(parent, Qt::Window), m_regional(regional)
{
    SetUpCompanionWindow(this, QStringLiteral("frmMargenes"), QStringLiteral("Márgenes y compensación - Tarvilo"));

    m_look = new ResultLook(this);
    m_lblNota = new QLabel(this);
    m_lblNota->setObjectName(QStringLiteral("lblNota"));
    m_lblNota->setWordWrap(true);
    m_lblNota->hide();

    // The operating point.
    auto *fraPunto = new QGroupBox(QStringLiteral("En el punto de operación"));
    fraPunto->setObjectName(QStringLiteral("fraPunto"));
    auto *pointGrid = new QGridLayout(fraPunto);
    int row = 0;
    for (const QuantityRow &quantity : kPointRows) {
        Row shown = addRow(pointGrid, row++, quantity.key,
                           Title(QString::fromUtf8(quantity.name), QString::fromUtf8(quantity.unit)),
                           QString::fromUtf8(quantity.meaning));
        shown.name = QString::fromUtf8(quantity.name);
        shown.unit = QString::fromUtf8(quantity.unit);
        m_rows.push_back(shown);
    }
    pointGrid->setColumnStretch(3, 1);
    pointGrid->setRowStretch(row, 1);

    // The sizing: what it aims at, its value, what it varies.
    m_cboObjetivo = new QComboBox(this);
    m_cboObjetivo->setObjectName(QStringLiteral("cboObjetivo"));
    for (const GoalTarget target : kGoalTargets)
        m_cboObjetivo->addItem(TargetName(target), static_cast<int>(target));
    m_txtObjetivo = new SteppingLineEdit(QStringLiteral("6"), m_regional, this);
    m_txtObjetivo->setObjectName(QStringLiteral("txtObjetivo"));
    m_txtObjetivo->setAccessibleName(QStringLiteral("Valor del objetivo"));
    m_cboVariar = new QComboBox(this);
    m_cboVariar->setObjectName(QStringLiteral("cboVariar"));
    for (const GoalInput input : kGoalInputs)
        m_cboVariar->addItem(ShortName(BoxOf(input)), static_cast<int>(input));
    m_cmdBuscar = new QPushButton(QStringLiteral("&Buscar"), this);
    m_cmdBuscar->setObjectName(QStringLiteral("cmdBuscar"));
    const auto caption = [this](const QString &text, QWidget *buddy) {
        auto *label = new QLabel(text, this);
        label->setBuddy(buddy);
        return label;
    };
    auto *controls = new QHBoxLayout;
    controls->addWidget(caption(QStringLiteral("&Objetivo:"), m_cboObjetivo));
    controls->addWidget(m_cboObjetivo);
    controls->addWidget(caption(QStringLiteral("Va&lor:"), m_txtObjetivo));
    controls->addWidget(m_txtObjetivo);
    controls->addWidget(caption(QStringLiteral("&Variar:"), m_cboVariar));
    controls->addWidget(m_cboVariar);
    controls->addWidget(m_cmdBuscar);
    controls->addStretch(1);

    auto *fraDimensionado = new QGroupBox(QStringLiteral("Dimensionado"));
    fraDimensionado->setObjectName(QStringLiteral("fraDimensionado"));
    auto *sizingLayout = new QVBoxLayout(fraDimensionado);
    auto *sizingGrid = new QGridLayout;
    sizingLayout->addLayout(sizingGrid);
    sizingGrid->addWidget(new QLabel(QStringLiteral("Caso actual")), 0, 1);
    sizingGrid->addWidget(new QLabel(QStringLiteral("Caso dimensionado")), 0, 2);
    QLabel *name = nullptr; // the last row's title
    const auto sizingRow = [&](const char *key, const QString &title, int at) {
        name = new QLabel(title);
        name->setObjectName(QStringLiteral("lbl%1_dim_tit").arg(QString::fromLatin1(key)));
        Row shown;
        shown.current = new QLabel;
        shown.current->setObjectName(QStringLiteral("lblActual%1").arg(QString::fromLatin1(key)));
        shown.sized = new QLabel;
        shown.sized->setObjectName(QStringLiteral("lblDimensionado%1").arg(QString::fromLatin1(key)));
        for (QLabel *label : { shown.current, shown.sized }) {
            label->setTextInteractionFlags(Qt::TextSelectableByMouse);
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        MakeValueLabel(shown.current, title + QStringLiteral(", caso actual"));
        MakeValueLabel(shown.sized, title + QStringLiteral(", caso dimensionado"));
        sizingGrid->addWidget(name, at, 0);
        sizingGrid->addWidget(shown.current, at, 1);
        sizingGrid->addWidget(shown.sized, at, 2);
        return shown;
    };
    // The first row is the input varied; its title follows "Variar".
    Row varied = sizingRow("Variada", QStringLiteral("Qcap [p.u.]"), 1);
    m_lblVariadaTit = name;
    m_sizingRows.push_back(varied);
    row = 2;
    for (const QuantityRow &quantity : kSizingRows) {
        Row shown = sizingRow(quantity.key, Title(QString::fromUtf8(quantity.name), QString::fromUtf8(quantity.unit)),
                              row++);
        shown.name = QString::fromUtf8(quantity.name);
        shown.unit = QString::fromUtf8(quantity.unit);
        m_sizingRows.push_back(shown);
    }
    m_lblBankTit = name;
    m_lblResultado = new QLabel;
    m_lblResultado->setObjectName(QStringLiteral("lblResultado"));
    m_lblResultado->setWordWrap(true);
    m_lblResultado->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_lblResultado->setMinimumWidth(300);
    sizingLayout->addWidget(m_lblResultado);
    sizingLayout->addStretch(1);
    sizingGrid->setColumnStretch(3, 1);

    auto *tables = new QWidget;
    auto *tablesLayout = new QHBoxLayout(tables);
    tablesLayout->addWidget(fraPunto, 3);
    tablesLayout->addWidget(fraDimensionado, 2);
    auto *scroller = new QScrollArea(this);
    scroller->setObjectName(QStringLiteral("margenesScroller"));
    scroller->setWidget(tables);
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);

    m_cmdAplicar = new QPushButton(QStringLiteral("&Aplicar"), this);
    m_cmdAplicar->setObjectName(QStringLiteral("cmdAplicar"));
    m_cmdAplicar->setToolTip(QStringLiteral("Escribe el valor hallado en la ventana principal y calcula"));
    m_cmdAplicar->setEnabled(false);
    auto *cmdCopiar = new QPushButton(QStringLiteral("&Copiar"), this);
    cmdCopiar->setObjectName(QStringLiteral("cmdCopiar"));
    cmdCopiar->setToolTip(QStringLiteral("Copia las dos tablas al portapapeles"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cmdAplicar);
    buttons->addWidget(cmdCopiar);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lblNota);
    layout->addLayout(controls);
    layout->addWidget(scroller, 1);
    layout->addLayout(buttons);

    setTabOrder(m_cboObjetivo, m_txtObjetivo);
    setTabOrder(m_txtObjetivo, m_cboVariar);
    setTabOrder(m_cboVariar, m_cmdBuscar);
    setTabOrder(m_cmdBuscar, m_cmdAplicar);
    setTabOrder(m_cmdAplicar, cmdCopiar);

    connect(m_cboObjetivo, &QComboBox::currentIndexChanged, this, &MarginsWindow::sizingChanged);
    connect(m_txtObjetivo, &QLineEdit::textChanged, this, &MarginsWindow::sizingChanged);
    connect(m_cboVariar, &QComboBox::currentIndexChanged, this, &MarginsWindow::sizingChanged);
    connect(m_cmdBuscar, &QPushButton::clicked, this, [this] { cmdBuscar_Click(); });
    connect(m_txtObjetivo, &QLineEdit::returnPressed, this, [this] { cmdBuscar_Click(); });
    connect(m_cmdAplicar, &QPushButton::clicked, this, [this] { cmdAplicar_Click(); });
    connect(cmdCopiar, &QPushButton::clicked, this, [this] { cmdCopiar_Click(); });
    connect(m_cboVariar, &QComboBox::currentIndexChanged, this, [this] {
        m_lblVariadaTit->setText(m_cboVariar->currentText() + QStringLiteral(" [p.u.]"));
        MakeValueLabel(m_sizingRows[0].current, m_lblVariadaTit->text() + QStringLiteral(", caso actual"));
        MakeValueLabel(m_sizingRows[0].sized, m_lblVariadaTit->text() + QStringLiteral(", caso dimensionado"));
    });

    resize(1200, 420);
    FitWindowToScreen(this);
    clearSizing(QStringLiteral("Elija el objetivo, su valor y la magnitud que variar, y pulse «Buscar»."));
    for (const Row &shown : m_rows)
        shown.value->setText(QStringLiteral("sin resultados"));
}

MarginsWindow::Row MarginsWindow::addRow(QGridLayout *grid, int row, const char *name, const QString &title,
                                         const QString &meaning)
{
    const QString objectName = QStringLiteral("lbl") + QString::fromLatin1(name);
    auto *caption = new QLabel(title);
    caption->setObjectName(objectName + QStringLiteral("_tit"));
    caption->setToolTip(meaning);
    auto *value = new QLabel;
    value->setObjectName(objectName);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    MakeValueLabel(value, title);
    value->setAccessibleDescription(meaning);
    caption->setBuddy(value);
    auto *physical = new QLabel;
    physical->setObjectName(objectName + QStringLiteral("_fis"));
    physical->setTextInteractionFlags(Qt::TextSelectableByMouse);
    physical->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    MakeValueLabel(physical, title + QStringLiteral(", en unidades físicas"));
    physical->hide();
    auto *explanation = new QLabel(meaning);
    explanation->setObjectName(objectName + QStringLiteral("_sig"));
    explanation->setForegroundRole(QPalette::PlaceholderText);
    grid->addWidget(caption, row, 0);
    grid->addWidget(value, row, 1);
    grid->addWidget(physical, row, 2);
    grid->addWidget(explanation, row, 3);
    Row shown;
    shown.value = value;
    shown.physical = physical;
    return shown;
}

void MarginsWindow::setPhysicalBases(const std::optional<PhysicalBases> &bases)
{
    const auto same = [](const PhysicalBases &a, const PhysicalBases &b) {
        return a.baseMva == b.baseMva && a.baseKv == b.baseKv;
    };
    if (bases.has_value() == m_bases.has_value() && (!bases || same(*bases, *m_bases)))
        return;
    m_bases = bases;
    if (m_inputs)
        showMargins();
}

void MarginsWindow::setNote(const QString &text)
{
    m_lblNota->setText(text);
    m_lblNota->setVisible(!text.isEmpty());
}

void MarginsWindow::showRun(const QvInputs &inputs, const QvResults &results)
{
    m_inputs = inputs;
    m_results = results;
    setNote(QString());
    m_showsPrevious = false;
    showMargins();
    if (m_searched)
        showSizing();
}

void MarginsWindow::showFailedRun(const std::optional<QvInputs> &)
{
    if (!m_inputs) {
        setNote(QStringLiteral("Sin resultados: el último cálculo no se completó."));
        return;
    }
    setNote(QStringLiteral("El último cálculo no se completó: los valores son los del cálculo anterior."));
    m_showsPrevious = true;
    markValues();
}

void MarginsWindow::markValues()
{
    // Again after each change of their texts: whether a value is drawn in
    // italics depends on its characters.
    const auto mark = [this](QLabel *label) { m_look->showValue(label, m_showsPrevious); };
    for (const Row &shown : m_rows) {
        mark(shown.value);
        mark(shown.physical);
    }
    for (const Row &shown : m_sizingRows) {
        mark(shown.current);
        mark(shown.sized);
    }
}

void MarginsWindow::showMargins()
{
    const CaseTexts texts = TextsOf(*m_inputs, m_results.MargenQ2, m_regional);
    const auto values = ValuesOf(*m_inputs, m_results.MargenQ2);
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const Quantity quantity = kPointRows[i].quantity;
        SetValue(m_rows[i].value, texts[quantity]);
        // The same in physical units, where it has one and exists.
        const std::optional<PhysicalUnit> unit = m_bases ? PhysicalUnitOf(quantity, *m_bases) : std::nullopt;
        QLabel *physical = m_rows[i].physical;
        physical->setVisible(unit.has_value());
        if (unit) {
            SetValue(physical,
                     values[quantity] ? Number(*values[quantity] * unit->factor, m_regional) + QLatin1Char(' ')
                                     + QString::fromLatin1(unit->unit)
                                      : QString());
        }
    }
    markValues();
}

void MarginsWindow::clearSizing(const QString &sentence)
{
    for (const Row &shown : m_sizingRows)
        SetValue(shown.sized, QString());
    m_found.reset();
    m_cmdAplicar->setEnabled(false);
    m_lblResultado->setText(sentence);
    markValues();
}

MarginsWindow::Sizing MarginsWindow::sizing() const
{
    return { kGoalTargets[m_cboObjetivo->currentIndex()], m_txtObjetivo->text(),
             kGoalInputs[m_cboVariar->currentIndex()] };
}

void MarginsWindow::setSizing(const Sizing &sizing)
{
    for (int i = 0; i < m_cboObjetivo->count(); ++i) {
        if (kGoalTargets[i] == sizing.target)
            m_cboObjetivo->setCurrentIndex(i);
    }
    for (int i = 0; i < m_cboVariar->count(); ++i) {
        if (kGoalInputs[i] == sizing.input)
            m_cboVariar->setCurrentIndex(i);
    }
    m_txtObjetivo->setText(sizing.goal);
}

void MarginsWindow::cmdBuscar_Click()
{
    m_searched = true;
    showSizing();
}

void MarginsWindow::showSizing()
{
    const Sizing asked = sizing();
    const InputBox box = BoxOf(asked.input);
    // The present case, with its input varied, whatever the search finds.
    if (m_inputs) {
        QvInputs present = *m_inputs;
        const CaseTexts texts = TextsOf(present, m_results.MargenQ2, m_regional);
        SetValue(m_sizingRows[0].current, Number(ValueOf(present, box), m_regional));
        for (size_t i = 1; i < m_sizingRows.size(); ++i)
            SetValue(m_sizingRows[i].current, texts[kSizingRows[i - 1].quantity]);
    }
    const bool bank = asked.input == GoalInput::Qcap;
    m_sizingRows.back().current->setVisible(bank);
    m_sizingRows.back().sized->setVisible(bank);
    m_lblBankTit->setVisible(bank);
    if (!m_inputs) {
        clearSizing(QStringLiteral("Sin resultados: no hay todavía un cálculo completo que dimensionar."));
        return;
    }
    const auto goal = ReadRegionalNumber(NumberTextOf(asked.goal), m_regional);
    if (!goal) {
        clearSizing(QStringLiteral("El valor del objetivo, «%1», no es un número.").arg(Quoted(asked.goal)));
        return;
    }
    const GoalSeekResult found = SeekGoal(*m_inputs, asked.target, *goal, asked.input);
    if (found.failure) {
        clearSizing(GoalFailureText(found, asked.target, *goal, asked.input, m_regional));
        return;
    }
    QvInputs sized = *m_inputs;
    ValueOf(sized, box) = found.value;
    const CaseTexts texts = TextsOf(sized, std::nullopt, m_regional);
    SetValue(m_sizingRows[0].sized, Number(found.value, m_regional));
    for (size_t i = 1; i < m_sizingRows.size(); ++i)
        SetValue(m_sizingRows[i].sized, texts[kSizingRows[i - 1].quantity]);
    const QString unit = TargetUnit(asked.target);
    // The value as "Aplicar" writes it.
    QString sentence = QStringLiteral("%1 = %2 p.u. da %3 = %4%5")
                               .arg(ShortName(box), BoxText(found.value, m_regional), TargetName(asked.target),
                                    RoundedText(*goal, m_regional),
                                    unit.isEmpty() ? QStringLiteral(".") : QLatin1Char(' ') + unit);
    if (found.other) {
        sentence += QStringLiteral(" También lo da %1 = %2 p.u.; se muestra el valor más cercano al actual.")
                            .arg(ShortName(box), RoundedText(*found.other, m_regional));
    }
    m_lblResultado->setText(sentence);
    m_found = found.value;
    m_foundInput = asked.input;
    m_cmdAplicar->setEnabled(true);
    markValues();
}

void MarginsWindow::cmdAplicar_Click()
{
    if (!m_found)
        return;
    emit applyRequested(BoxOf(m_foundInput), BoxText(*m_found, m_regional));
}

QString MarginsWindow::tablesText() const
{
    QStringList lines;
    lines << QStringLiteral("En el punto de operación");
    for (const Row &shown : m_rows) {
        QStringList fields{ shown.name, shown.value->text(), shown.unit };
        if (!shown.physical->isHidden())
            fields << shown.physical->text();
        lines << fields.join(QLatin1Char('\t'));
    }
    lines << QString() << QStringLiteral("Dimensionado\tCaso actual\tCaso dimensionado\tUnidad");
    for (size_t i = 0; i < m_sizingRows.size(); ++i) {
        const Row &shown = m_sizingRows[i];
        if (shown.current->isHidden())
            continue;
        const QString name = i == 0 ? m_cboVariar->currentText() : shown.name;
        const QString unit = i == 0 ? QStringLiteral("p.u.") : shown.unit;
        lines << QStringList{ name, shown.current->text(), shown.sized->text(), unit }.join(QLatin1Char('\t'));
    }
    lines << m_lblResultado->text();
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void MarginsWindow::cmdCopiar_Click()
{
    QApplication::clipboard()->setText(tablesText());
}

} // namespace tarvilo
