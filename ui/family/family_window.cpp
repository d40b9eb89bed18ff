#include "ui/family/family_window.h"

#include "core/number_reading.h"
#include "core/qv_method_margin.h"
#include "core/system_curve.h"
#include "ui/chart/axis_ticks.h"
#include "ui/chart/chart_style.h"
#include "ui/chart/picture_menu.h"
#include "ui/chart/xy_chart_view.h"
#include "ui/common/case_remark.h"
#include "ui/common/companion_window.h"
#include "ui/common/screen_fit.h"
#include "ui/common/csv.h"
#include "ui/common/file_saving.h"
#include "ui/common/number_text.h"
#include "ui/common/qv_margin_text.h"
#include "ui/common/quantities.h"
#include "ui/common/regional_locale.h"
#include "ui/common/stepping_line_edit.h"

#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace tarvilo {
namespace {

constexpr int kMaxValues = 25;
const char *const kResultColumns[] = { "Q2crit", "V2crit", "MargenQ2", "Margen QV", "V2min",
                                       "V2sup",  "Q2sup",  "V2inf",    "Q2inf" };

// Blue for the first value through to red for the last.
QColor RampColour(int index, int count)
{
    const double position = count > 1 ? double(index) / (count - 1) : 0.0;
    return QColor::fromHsvF(0.66 * (1 - position), 0.85, 0.8);
}

// The results a case reached before it stopped, in column order; empty
// where a step never came. "Error" for the points of a case without them.
QStringList ResultCells(const FamilyMember &member, bool exact, const RegionalSettings &regional)
{
    const CaseOutcome &outcome = member.outcome;
    const QvResults &r = outcome.results;
    const auto text = [&](double value) { return exact ? ExactText(value, regional) : RoundedText(value, regional); };
    const RunStep reached = outcome.fault ? outcome.fault->step() : RunStep::LoadChart;
    QStringList cells;
    if (reached > RunStep::CriticalPoint) {
        cells << text(r.Q2crit) << text(r.V2crit) << text(r.MargenQ2);
    } else {
        cells << QString() << QString() << QString();
    }
    cells << QvMarginValue(ComputeQvMethodMargin(member.inputs), exact, regional);
    cells << (reached > RunStep::CriticalPoint ? text(r.V2min) : QString());
    if (reached <= RunStep::OperatingPoints) {
        cells << QString() << QString() << QString() << QString();
    } else if (!r.HasSolution) {
        cells << QStringLiteral("Error") << QStringLiteral("Error") << QStringLiteral("Error")
              << QStringLiteral("Error");
    } else {
        cells << text(r.V2sup) << text(r.Q2sup) << text(r.V2inf) << text(r.Q2inf);
    }
    return cells;
}

// Why a row lacks numbers, or why its numbers describe no real network.
QString Remark(const FamilyMember &member, const RegionalSettings &regional)
{
    return CaseRemark(member.inputs, member.outcome.fault, member.outcome.results.HasSolution, regional);
}

// The fewest decimals that tell the values apart without misleading: each
// value rounded by at most a hundredth of the smallest gap between values
// ("Pcarga = 7,17" rather than 7,16666666666667, "X = 0,0375" never 0,038).
QStringList ShortestDistinctTexts(const std::vector<double> &values, const RegionalSettings &regional)
{
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    double gap = INFINITY;
    for (size_t i = 1; i < sorted.size(); ++i) {
        if (sorted[i] != sorted[i - 1])
            gap = std::min(gap, sorted[i] - sorted[i - 1]);
    }
    QStringList texts;
    for (int decimals = 0; decimals <= 15 && std::isfinite(gap); ++decimals) {
        texts.clear();
        const double scale = std::pow(10.0, decimals);
        bool close = true;
        for (const double value : values) {
            const double rounded = std::round(value * scale) / scale;
            close = close && std::isfinite(rounded) && std::abs(rounded - value) <= gap / 100;
            texts << ExactText(rounded, regional);
        }
        if (close)
            return texts;
    }
    texts.clear();
    for (const double value : values)
        texts << ExactText(value, regional);
    return texts;
}

} // namespace

FamilyWindow::FamilyWindow(const QLocale &locale, const RegionalSettings &regional, const InputBoxTexts &texts,
                           QWidget *parent)
    : QWidget(parent, Qt::Window), m_regional(regional), m_texts(texts)
{
    SetUpCompanionWindow(this, QStringLiteral("frmFamilia"), QStringLiteral("Familia de curvas - Tarvilo"));

    m_chartView = new XyChartView({ QStringLiteral("Familia de curvas Q-V"), AxisTitle(AxisQuantity::ReactivePower),
                                    AxisTitle(AxisQuantity::Voltage), QStringLiteral("Q"), QStringLiteral("V") },
                                  locale, regional, this);
    m_chartView->setObjectName(QStringLiteral("grfFamilia"));
    m_chartView->setAccessibleName(QStringLiteral("Gráfico de la familia de curvas Q-V"));
    m_points = m_chartView->add(QStringLiteral("Puntos de operación"), PointStyle::Circles, Qt::black, 9);
    GivePictureMenu(m_chartView,
                    PicturesOf([view = m_chartView] { return view->copyChart(); }, [this] { return pictureCaption(); },
                               QStringLiteral("tarvilo-familia.png")));
    buildControls();
    cboMagnitud_Change();
    keepChartLegible();
    resize(960, 760);
    FitWindowToScreen(this);
}

// Smaller than this, the axes' numbers and titles give way to "..." and the
// legend shows only its first few entries. A small screen gets the chart
// what room the other controls leave it, so the whole window still fits.
void FamilyWindow::keepChartLegible()
{
    const QSize legible(560, 300);
    m_chartView->setMinimumSize(0, 0);
    const QSize room = RoomOnScreen(this);
    if (room.isEmpty()) {
        m_chartView->setMinimumSize(legible);
        return;
    }
    // The chart sits above the table, so the others' heights add to its
    // own; across, only the window's margins do.
    const QMargins margins = layout()->contentsMargins();
    const int othersHigh = minimumSizeHint().height() - m_chartView->minimumSizeHint().height();
    const int othersWide = margins.left() + margins.right();
    m_chartView->setMinimumSize(std::clamp(room.width() - othersWide, 0, legible.width()),
                                std::clamp(room.height() - othersHigh, 0, legible.height()));
}

void FamilyWindow::buildControls()
{
    m_cboMagnitud = new QComboBox(this);
    m_cboMagnitud->setObjectName(QStringLiteral("cboMagnitud"));
    m_cboMagnitud->setAccessibleName(QStringLiteral("Magnitud"));
    for (const InputBox box : kInputBoxes)
        m_cboMagnitud->addItem(QuantityName(box));
    m_txtPrimero = new SteppingLineEdit(m_regional, this);
    m_txtPrimero->setObjectName(QStringLiteral("txtPrimero"));
    m_txtUltimo = new SteppingLineEdit(m_regional, this);
    m_txtUltimo->setObjectName(QStringLiteral("txtUltimo"));
    // Room for a value such as -0.000123 however narrow the window.
    for (QLineEdit *box : { m_txtPrimero, m_txtUltimo })
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("-0.0000000")) + 12);
    m_spnValores = new QSpinBox(this);
    m_spnValores->setObjectName(QStringLiteral("spnValores"));
    m_spnValores->setRange(2, kMaxValues);
    m_spnValores->setValue(5);
    // ASCII digits, as every number of the program, whatever the locale's own.
    m_spnValores->setLocale(QLocale::c());
    auto *cmdDibujar = new QPushButton(QStringLiteral("&Dibujar"), this);
    cmdDibujar->setObjectName(QStringLiteral("cmdDibujar"));
    cmdDibujar->setDefault(true);

    auto *choice = new QHBoxLayout;
    const auto labelled = [this, choice](const QString &caption, QWidget *field) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(field);
        choice->addWidget(label);
        choice->addWidget(field);
    };
    labelled(QStringLiteral("&Magnitud:"), m_cboMagnitud);
    labelled(QStringLiteral("&Primer valor:"), m_txtPrimero);
    labelled(QStringLiteral("Ú&ltimo valor:"), m_txtUltimo);
    labelled(QStringLiteral("&Valores:"), m_spnValores);
    choice->addWidget(cmdDibujar);
    choice->addStretch();

    m_lblAviso = new QLabel(this);
    m_lblAviso->setObjectName(QStringLiteral("lblAviso"));
    m_lblAviso->setWordWrap(true);
    m_lblAviso->hide();

    m_grdFamilia = new QTableWidget(this);
    m_grdFamilia->setObjectName(QStringLiteral("grdFamilia"));
    m_grdFamilia->setAccessibleName(QStringLiteral("Tabla de la familia de curvas"));
    m_grdFamilia->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdFamilia->verticalHeader()->hide();
    m_grdFamilia->verticalHeader()->setDefaultSectionSize(m_grdFamilia->fontMetrics().height() + 8);
    auto *cmdCopiarTabla = new QPushButton(QStringLiteral("&Copiar tabla"), this);
    cmdCopiarTabla->setObjectName(QStringLiteral("cmdCopiarTabla"));
    auto *cmdGuardarTabla = new QPushButton(QStringLiteral("&Guardar tabla como..."), this);
    cmdGuardarTabla->setObjectName(QStringLiteral("cmdGuardarTabla"));
    for (QPushButton *button : { cmdCopiarTabla, cmdGuardarTabla })
        button->setAutoDefault(false);
    auto *tableButtons = new QHBoxLayout;
    tableButtons->addWidget(cmdCopiarTabla);
    tableButtons->addWidget(cmdGuardarTabla);
    tableButtons->addStretch();

    auto *lower = new QWidget(this);
    auto *lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->addWidget(m_grdFamilia);
    lowerLayout->addLayout(tableButtons);
    auto *splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(m_chartView);
    splitter->addWidget(lower);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    // The chart takes most of the height: a family of 25 values has 26
    // entries in its legend.
    splitter->setSizes({ 560, 120 });

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(choice);
    layout->addWidget(m_lblAviso);
    layout->addWidget(splitter, 1);

    connect(m_cboMagnitud, &QComboBox::currentIndexChanged, this, [this] { cboMagnitud_Change(); });
    connect(m_cboMagnitud, &QComboBox::currentIndexChanged, this, &FamilyWindow::choiceChanged);
    connect(m_txtPrimero, &QLineEdit::textChanged, this, &FamilyWindow::choiceChanged);
    connect(m_txtUltimo, &QLineEdit::textChanged, this, &FamilyWindow::choiceChanged);
    connect(m_spnValores, &QSpinBox::valueChanged, this, &FamilyWindow::choiceChanged);
    connect(cmdDibujar, &QPushButton::clicked, this, [this] { cmdDibujar_Click(); });
    connect(cmdCopiarTabla, &QPushButton::clicked, this, [this] { cmdCopiarTabla_Click(); });
    connect(cmdGuardarTabla, &QPushButton::clicked, this, [this] { cmdGuardarTabla_Click(); });
}

void FamilyWindow::cboMagnitud_Change()
{
    // From the quantity's present value to twice as much (or to 1 from 0).
    m_quantity = kInputBoxes[std::max(0, m_cboMagnitud->currentIndex())];
    const InputsReading reading = ReadInputs(m_texts, m_regional);
    const double present = reading.unreadable ? 0.0 : ValueOf(reading.inputs, m_quantity);
    // All 15 digits, so that a small value is not offered as 0; a value
    // too large to double ends the range where it starts.
    const auto readable = [this](double value) {
        return ReadRegionalNumber(ExactText(value, m_regional).toStdString(), m_regional).has_value();
    };
    const double twice = present == 0 ? 1.0 : 2 * present;
    m_txtPrimero->setText(ExactText(present, m_regional));
    m_txtUltimo->setText(ExactText(std::isfinite(twice) && readable(twice) ? twice : present, m_regional));
}

FamilyWindow::Choice FamilyWindow::choice() const
{
    return { m_quantity, m_txtPrimero->text(), m_txtUltimo->text(), m_spnValores->value() };
}

void FamilyWindow::setChoice(const Choice &choice)
{
    // The quantity first: choosing it proposes a range, replaced here.
    m_cboMagnitud->setCurrentIndex(static_cast<int>(choice.quantity));
    m_txtPrimero->setText(choice.first);
    m_txtUltimo->setText(choice.last);
    m_spnValores->setValue(choice.count);
}

void FamilyWindow::cmdDibujar_Click()
{
    // The quantity's own box is not read: the range takes its place.
    const InputsReading reading = ReadInputs(m_texts, m_regional, m_quantity);
    const auto first = ReadRegionalNumber(NumberTextOf(m_txtPrimero->text()), m_regional);
    const auto last = ReadRegionalNumber(NumberTextOf(m_txtUltimo->text()), m_regional);
    QString warning;
    if (reading.unreadable) {
        warning = QStringLiteral("El valor de %1 en la ventana principal no es un número.")
                          .arg(QuantityName(*reading.unreadable));
    } else if (!first || !last) {
        warning = QStringLiteral("El primer y el último valor deben ser números.");
    } else if (!std::isfinite(*last - *first)) {
        warning = QStringLiteral("El intervalo entre el primer y el último valor es demasiado grande para repartirlo "
                                 "en %1 valores.")
                          .arg(m_spnValores->value());
    }
    m_lblAviso->setText(warning);
    m_lblAviso->setVisible(!warning.isEmpty());
    if (!warning.isEmpty())
        return;

    m_family = CalculateFamily(reading.inputs, m_quantity, *first, *last, m_spnValores->value());
    drawFamily();
    fillTable();
    describeChart();
}

void FamilyWindow::describeChart()
{
    int solved = 0;
    for (const FamilyMember &member : m_family)
        solved += !member.outcome.fault && member.outcome.results.HasSolution;
    m_chartView->setAccessibleDescription(
            QStringLiteral("Curvas Q-V para %1 valores de %2, de %3 a %4 p.u.; %5 con puntos de operación.")
                    .arg(m_family.size())
                    .arg(QuantityName(m_quantity), ExactText(m_family.front().value, m_regional),
                         ExactText(m_family.back().value, m_regional))
                    .arg(solved));
}

std::pair<int, int> FamilyWindow::curvesOf(int index)
{
    while (static_cast<int>(m_curves.size()) <= index) {
        const int system = m_chartView->add(QString(), PointStyle::Line, Qt::black);
        const int load = m_chartView->add(QString(), PointStyle::DashedLine, Qt::black);
        m_chartView->setInLegend(load, false);
        m_curves.emplace_back(system, load);
    }
    return m_curves[static_cast<size_t>(index)];
}

void FamilyWindow::drawFamily()
{
    // The curves of each value that reached them, and where they all lie.
    const int count = static_cast<int>(m_family.size());
    std::vector<std::pair<QList<QPointF>, QList<QPointF>>> curves(m_family.size());
    double left = INFINITY, right = -INFINITY, top = 0;
    QList<QPointF> operatingPoints;
    for (int i = 0; i < count; ++i) {
        const CaseOutcome &outcome = m_family[static_cast<size_t>(i)].outcome;
        if (outcome.fault && outcome.fault->step() <= RunStep::LoadSweep)
            continue;
        const QvCurves &c = outcome.curves;
        // The nose curve in one line: the upper branch up to the nose, then the lower one, swept on
        // down to the operating points where they lie below the run's 300 points.
        auto &[system, load] = curves[static_cast<size_t>(i)];
        const bool solved = !outcome.fault && outcome.results.HasSolution;
        const SystemCurve reaching =
                SystemCurveReachingThePoints(m_family[static_cast<size_t>(i)].inputs, outcome.results);
        if (solved && !reaching.q.empty()) {
            for (size_t point = reaching.q.size(); point-- > 0;)
                system << QPointF(reaching.q[point], reaching.vu[point]);
            for (size_t point = 0; point < reaching.q.size(); ++point)
                system << QPointF(reaching.q[point], reaching.vl[point]);
        } else {
            for (int point = kCurvePoints; point >= 1; --point)
                system << QPointF(c.q2[point], c.vu[point]);
            for (int point = 1; point <= kCurvePoints; ++point)
                system << QPointF(c.q2[point], c.vl[point]);
        }
        for (int point = 1; point <= kCurvePoints; ++point)
            load << QPointF(c.qcapr[point], c.v2[point]);
        for (const QPointF &point : system + load) {
            left = std::min(left, point.x());
            right = std::max(right, point.x());
            top = std::max(top, point.y());
        }
        const QvResults &r = outcome.results;
        if (solved) {
            operatingPoints << QPointF(r.Q2sup, r.V2sup) << QPointF(r.Q2inf, r.V2inf);
            for (const QPointF &point : { QPointF(r.Q2sup, r.V2sup), QPointF(r.Q2inf, r.V2inf) }) {
                left = std::min(left, point.x());
                right = std::max(right, point.x());
                top = std::max(top, point.y());
            }
        }
    }
    std::vector<double> values;
    for (const FamilyMember &member : m_family)
        values.push_back(member.value);
    const QStringList names = ShortestDistinctTexts(values, m_regional);
    // The axes and the legend first. New curves grow the legend, which
    // narrows the plot area: laid out before the points, each curve works out
    // its shape once rather than again at the next layout.
    const size_t curvesBefore = m_curves.size();
    if (left <= right)
        m_chartView->setRanges(RoundRangesAround(left, right, top));
    const auto isDrawn = [&](int i) { return i < count && !curves[static_cast<size_t>(i)].first.isEmpty(); };
    for (int i = 0; i < std::max(count, static_cast<int>(m_curves.size())); ++i) {
        const bool drawn = isDrawn(i);
        if (!drawn && i >= static_cast<int>(m_curves.size()))
            continue;
        const auto [system, load] = curvesOf(i);
        if (drawn) {
            const QColor colour = RampColour(i, count);
            m_chartView->setName(system, ShortName(m_quantity) + QStringLiteral(" = ") + names[i]);
            m_chartView->setColour(system, colour);
            m_chartView->setColour(load, colour);
        }
        m_chartView->setShown(system, drawn);
        m_chartView->setShown(load, drawn);
    }
    if (m_curves.size() != curvesBefore)
        m_chartView->layOutNow();
    for (int i = 0; i < count; ++i) {
        if (!isDrawn(i))
            continue;
        const auto [system, load] = m_curves[static_cast<size_t>(i)];
        m_chartView->setPoints(system, curves[static_cast<size_t>(i)].first);
        m_chartView->setPoints(load, curves[static_cast<size_t>(i)].second);
    }
    m_chartView->setPoints(m_points, operatingPoints);
}

QString FamilyWindow::pictureCaption() const
{
    if (m_family.empty())
        return {};
    QStringList parts;
    for (const InputBox box : kInputBoxes) {
        if (box != m_quantity)
            parts << ShortName(box) + QStringLiteral(" = ")
                            + ExactText(ValueOf(m_family.front().inputs, box), m_regional);
    }
    return QStringLiteral("Caso: %1; %2 de %3 a %4 en %5 valores [p.u.]")
            .arg(parts.join(QStringLiteral("; ")), ShortName(m_quantity), ExactText(m_family.front().value, m_regional),
                 ExactText(m_family.back().value, m_regional))
            .arg(m_family.size());
}

QList<QStringList> FamilyWindow::tableRows(bool exact) const
{
    QStringList header{ ShortName(m_quantity) + QStringLiteral(" [p.u.]") };
    for (const char *column : kResultColumns)
        header << QString::fromLatin1(column) + QStringLiteral(" [p.u.]");
    header << QStringLiteral("Observación");
    QList<QStringList> rows{ header };
    // On screen each row's value as the legend names it, so that close values stay apart.
    std::vector<double> values;
    for (const FamilyMember &member : m_family)
        values.push_back(member.value);
    const QStringList shown = ShortestDistinctTexts(values, m_regional);
    for (size_t i = 0; i < m_family.size(); ++i) {
        const FamilyMember &member = m_family[i];
        QStringList row{ exact ? ExactText(member.value, m_regional) : shown[static_cast<qsizetype>(i)] };
        row << ResultCells(member, exact, m_regional);
        row << Remark(member, m_regional);
        rows << row;
    }
    return rows;
}

void FamilyWindow::fillTable()
{
    const QList<QStringList> rows = tableRows(false);
    m_grdFamilia->clear();
    m_grdFamilia->setColumnCount(static_cast<int>(rows.front().size()));
    m_grdFamilia->setRowCount(static_cast<int>(rows.size()) - 1);
    m_grdFamilia->setHorizontalHeaderLabels(rows.front());
    for (int row = 1; row < rows.size(); ++row) {
        for (int column = 0; column < rows[row].size(); ++column) {
            auto *item = new QTableWidgetItem(rows[row][column]);
            if (column + 1 < rows[row].size())
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_grdFamilia->setItem(row - 1, column, item);
        }
    }
    // Each column as wide as its texts, the last one then stretched again
    // over what the others leave: fitting it to its texts undid that.
    m_grdFamilia->resizeColumnsToContents();
    m_grdFamilia->horizontalHeader()->setStretchLastSection(false);
    m_grdFamilia->horizontalHeader()->setStretchLastSection(true);
}

QString FamilyWindow::tableText() const
{
    QString text;
    for (const QStringList &row : tableRows(true))
        text += row.join(QLatin1Char('\t')) + QLatin1Char('\n');
    return text;
}

QString FamilyWindow::shownTableText() const
{
    QString text;
    for (const QStringList &row : tableRows(false))
        text += row.join(QLatin1Char('\t')) + QLatin1Char('\n');
    return text;
}

QByteArray FamilyWindow::tableCsv() const
{
    // First the inputs the family keeps, as wide as the table, so that the file says what it holds.
    const QList<QStringList> table = tableRows(true);
    QList<QStringList> rows;
    if (!m_family.empty()) {
        for (const InputBox box : kInputBoxes) {
            if (box == m_quantity)
                continue;
            QStringList fields{ ShortName(box) + QStringLiteral(" [p.u.]"),
                                ExactText(ValueOf(m_family.front().inputs, box), m_regional) };
            while (fields.size() < table.front().size())
                fields << QString();
            rows << fields;
        }
    }
    rows << table;
    return CsvDocument(rows);
}

void FamilyWindow::cmdCopiarTabla_Click()
{
    QGuiApplication::clipboard()->setText(tableText());
}

void FamilyWindow::cmdGuardarTabla_Click()
{
    const QString path = AskSavePath(this, QStringLiteral("Guardar tabla como"), QStringLiteral("tarvilo-familia.csv"),
                                     { QStringLiteral("Valores separados por punto y coma (*.csv)") });
    if (!path.isEmpty())
        SaveWhole(this, path, tableCsv());
}

} // namespace tarvilo
