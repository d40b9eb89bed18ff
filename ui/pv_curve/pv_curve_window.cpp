#include "ui/pv_curve/pv_curve_window.h"

#include "core/number_format.h"
#include "core/pv_curve.h"
#include "core/run_fault.h"
#include "ui/chart/axis_ticks.h"
#include "ui/chart/chart_style.h"
#include "ui/chart/picture_menu.h"
#include "ui/chart/xy_chart_view.h"
#include "ui/common/companion_window.h"
#include "ui/common/screen_fit.h"
#include "ui/common/fault_message.h"
#include "ui/common/number_text.h"
#include "ui/common/quantities.h"
#include "ui/common/result_look.h"
#include "ui/common/value_label.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

namespace tarvilo {
namespace {

constexpr int kPvPoints = 200;

const QString kPmaxTip =
        QStringLiteral("Máxima potencia activa que la red entrega a la carga con su factor de potencia");
const QString kV2PmaxTip = QStringLiteral("Tensión de la barra 2 en la nariz de la curva, donde se alcanza Pmax");
const QString kMargenPTip = QStringLiteral("Potencia activa que la carga aún puede crecer: Pmax - Pcarga");

QString Number(double value, const RegionalSettings &regional)
{
    return QString::fromStdString(FormatWithPattern(value, kLabelPattern, regional));
}

QString ObstacleText(PvObstacle obstacle, const QvInputs &inputs, const RegionalSettings &regional)
{
    switch (obstacle) {
    case PvObstacle::NoLoad:
        return QStringLiteral("Sin carga activa (Pcarga = 0) no hay curva P-V: la curva muestra cómo cambia la "
                              "tensión de la barra 2 cuando crece la potencia activa de la carga.");
    case PvObstacle::NoNose:
        try {
            return QStringLiteral("Con X · (Qcap + B/2) igual a 1 la compensación en derivación anula la reactancia "
                                  "de la línea: cada carga tiene un único punto de operación (aquí V2 = X · "
                                  "√(Pcarga² + Qcarga²) / U inf = %1 p.u.) y la curva P-V no tiene nariz ni "
                                  "carga máxima.")
                    .arg(Number(UncompensatedLineVoltage(inputs), regional));
        } catch (const RunFault &) {
            return QStringLiteral("Con X · (Qcap + B/2) igual a 1 la compensación en derivación anula la reactancia "
                                  "de la línea: cada carga tiene un único punto de operación y la curva P-V no "
                                  "tiene nariz ni carga máxima.");
        }
    case PvObstacle::NoLine:
        return inputs.X < 0 ? QStringLiteral("Una reactancia X negativa no es la de una línea: no hay curva P-V.")
                            : QStringLiteral("La curva P-V necesita una reactancia X positiva y una tensión U inf "
                                             "distinta de cero.");
    }
    return {};
}

// The chart's curves and marks, empty, in the order of PvCurveWindow::Drawn.
XyChartView *NewPvView(const QLocale &locale, const RegionalSettings &regional, QWidget *parent)
{
    auto *view = new XyChartView({ QStringLiteral("Curva P-V"), AxisTitle(AxisQuantity::ActivePower),
                                   AxisTitle(AxisQuantity::Voltage), QStringLiteral("P"), QStringLiteral("V") },
                                 locale, regional, parent);
    view->add(NameOf(Curve::UpperBranch), PointStyle::Line, ColourOf(Curve::UpperBranch));
    view->add(NameOf(Curve::LowerBranch), PointStyle::Line, ColourOf(Curve::LowerBranch));
    // The P-V curve's nose, marked as the Q-V curves' critical point is.
    view->add(QStringLiteral("Pmax"), PointStyle::Squares, ColourOf(Mark::Nose), 11);
    view->add(QStringLiteral("Puntos de operación"), PointStyle::Circles, Qt::black, 11);
    return view;
}

// The curve of a case and its operating points; false, with the reason in
// *why, where it cannot be traced.
bool TraceCase(const QvInputs &inputs, const RegionalSettings &regional, PvCurve *curve,
               std::optional<PvVoltages> *operating, QString *why)
{
    if (inputs.Uinf != 0 && inputs.Uinf * inputs.Uinf == 0 && inputs.X > 0) {
        // Not a value too large: U inf squared is below the smallest number.
        *why = QStringLiteral("La tensión U inf es demasiado pequeña para calcular con ella: su cuadrado no se "
                              "distingue de 0. Use un valor mayor.");
        return false;
    }
    std::variant<PvCurve, PvObstacle> traced;
    try {
        traced = TracePvCurve(inputs, kPvPoints);
        if (std::holds_alternative<PvCurve>(traced))
            *operating = PvOperatingVoltages(inputs);
    } catch (const RunFault &fault) {
        *why = FaultDescription(fault, regional);
        return false;
    }
    if (const auto *obstacle = std::get_if<PvObstacle>(&traced)) {
        *why = ObstacleText(*obstacle, inputs, regional);
        return false;
    }
    *curve = std::get<PvCurve>(std::move(traced));
    return true;
}

// Hands the curve to the view: its axis, the name of its limit, the ranges, the points.
void DrawPvCurve(XyChartView &view, const PvCurve &curve, const std::optional<PvVoltages> &operating, double load)
{
    QList<QPointF> upper, lower;
    for (size_t i = 0; i < curve.p.size(); ++i) {
        upper << QPointF(curve.p[i], curve.vUpper[i]);
        lower << QPointF(curve.p[i], curve.vLower[i]);
    }
    view.setAxisTitleX(AxisTitle(curve.exporting ? AxisQuantity::ExportedActivePower : AxisQuantity::ActivePower));
    view.setName(PvCurveWindow::NoseMark,
                 curve.exporting ? QStringLiteral("Límite de exportación") : QStringLiteral("Pmax"));
    // The ranges first: each curve then works out its shape once.
    const double top = *std::max_element(curve.vUpper.begin(), curve.vUpper.end());
    AxisRanges ranges = RoundRangesAround(0.0, std::max(curve.Pmax, load), top);
    ranges.xMin = 0.0;
    view.setRanges(ranges);
    view.setPoints(PvCurveWindow::UpperBranch, upper);
    view.setPoints(PvCurveWindow::LowerBranch, lower);
    view.setPoints(PvCurveWindow::NoseMark, { QPointF(curve.Pmax, curve.vNose) });
    view.setPoints(PvCurveWindow::OperatingPoints,
                   operating ? QList<QPointF>{ QPointF(load, operating->upper), QPointF(load, operating->lower) }
                             : QList<QPointF>());
}

} // namespace

StyledChart *NewPvChart(const QvInputs &inputs, const QLocale &locale, const RegionalSettings &regional, QString *why)
{
    PvCurve curve;
    std::optional<PvVoltages> operating;
    if (!TraceCase(inputs, regional, &curve, &operating, why))
        return nullptr;
    const std::unique_ptr<XyChartView> view(NewPvView(locale, regional, nullptr));
    DrawPvCurve(*view, curve, operating, std::abs(inputs.Pcarga));
    return view->copyChart();
}

PvCurveWindow::PvCurveWindow(const QLocale &locale, const RegionalSettings &regional, QWidget *parent)
    : QWidget(parent, Qt::Window), m_regional(regional)
{
    SetUpCompanionWindow(this, QStringLiteral("frmCurvaPV"), QStringLiteral("Curva P-V - Tarvilo"));

    m_view = NewPvView(locale, regional, this);
    m_view->setObjectName(QStringLiteral("grfCurvaPV"));
    m_view->setAccessibleName(QStringLiteral("Curva P-V"));
    GivePictureMenu(m_view,
                    PicturesOf([view = m_view] { return view->copyChart(); },
                               [this] {
                                   QStringList parts;
                                   for (const InputBox box : kInputBoxes) {
                                       parts << ShortName(box) + QStringLiteral(" = ")
                                                       + ExactText(ValueOf(m_inputs, box), m_regional);
                                   }
                                   return QStringLiteral("Caso: ") + parts.join(QStringLiteral("; "))
                                           + QStringLiteral(" [p.u.]");
                               },
                               QStringLiteral("tarvilo-curva-pv.png")));

    m_lblAviso = new QLabel(this);
    m_lblAviso->setObjectName(QStringLiteral("lblAviso"));
    m_lblAviso->setWordWrap(true);
    m_lblAviso->setAlignment(Qt::AlignCenter);
    const auto value = [this](const char *name, const QString &title, const QString &tooltip, QGridLayout *grid,
                              int row) {
        auto *caption = new QLabel(title, this);
        caption->setObjectName(QString::fromLatin1(name) + QStringLiteral("_tit"));
        caption->setToolTip(tooltip);
        auto *label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(name));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        MakeValueLabel(label, title);
        label->setAccessibleDescription(tooltip);
        caption->setBuddy(label);
        grid->addWidget(caption, row, 0);
        grid->addWidget(label, row, 1);
        return label;
    };
    auto *values = new QGridLayout;
    m_lblPmax = value("lblPmax", QStringLiteral("Pmax [p.u.]"), kPmaxTip, values, 0);
    m_lblPmaxTitle = findChild<QLabel *>(QStringLiteral("lblPmax_tit"));
    m_lblV2Pmax = value("lblV2Pmax", QStringLiteral("V2 en Pmax [p.u.]"), kV2PmaxTip, values, 1);
    m_lblV2PmaxTitle = findChild<QLabel *>(QStringLiteral("lblV2Pmax_tit"));
    m_lblMargenP = value("lblMargenP", QStringLiteral("Margen P [p.u.]"), kMargenPTip, values, 2);
    values->setColumnStretch(2, 1);
    // A value may begin with a bare decimal mark (".7443"): well apart from
    // its caption, or it reads as the caption's last character.
    values->setHorizontalSpacing(16);

    m_lblNota = new QLabel(this);
    m_lblNota->setObjectName(QStringLiteral("lblNota"));
    m_lblNota->setWordWrap(true);
    m_lblNota->hide();
    m_look = new ResultLook(this);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lblNota);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_lblAviso, 1);
    layout->addLayout(values);
    resize(820, 600);
    FitWindowToScreen(this);
    showNoRun();
}

void PvCurveWindow::showNotice(const QString &text)
{
    m_lblAviso->setText(text);
    m_view->setAccessibleDescription(text);
    m_lblAviso->show();
    m_view->hide();
    setNote(QString());
    m_showsCurve = false;
    m_lblPmax->clear();
    m_lblV2Pmax->clear();
    m_lblMargenP->clear();
    m_view->clear();
}

void PvCurveWindow::setNote(const QString &text)
{
    m_lblNota->setText(text);
    m_lblNota->setVisible(!text.isEmpty());
}

void PvCurveWindow::showNoRun()
{
    showNotice(QStringLiteral("Sin resultados: no hay todavía un cálculo completo."));
}

void PvCurveWindow::showRun(const QvInputs &inputs)
{
    QString why;
    if (!showCase(inputs, &why))
        showNotice(why);
}

void PvCurveWindow::showFailedRun(const std::optional<QvInputs> &inputs)
{
    QString why;
    if (inputs && showCase(*inputs, &why)) {
        // Before the case's own note, if it has one.
        const QString own = m_lblNota->text();
        setNote(QStringLiteral("El cálculo principal no se completó; esta curva es la del caso nuevo.")
                + (own.isEmpty() ? QString() : QLatin1Char(' ') + own));
        return;
    }
    if (m_showsCurve) {
        for (QLabel *label : { m_lblPmax, m_lblV2Pmax, m_lblMargenP })
            m_look->showValue(label, true);
        setNote(why.isEmpty() ? QStringLiteral("Gráfico del cálculo anterior")
                              : QStringLiteral("Gráfico del cálculo anterior. ") + why);
    } else {
        showNotice(why.isEmpty() ? QStringLiteral("Sin resultados: el último cálculo no se completó.") : why);
    }
}

bool PvCurveWindow::showCase(const QvInputs &inputs, QString *why)
{
    PvCurve curve;
    std::optional<PvVoltages> operating;
    if (!TraceCase(inputs, m_regional, &curve, &operating, why))
        return false;
    const double load = std::abs(inputs.Pcarga);
    const QString limitName = curve.exporting ? QStringLiteral("Límite de exportación") : QStringLiteral("Pmax");
    m_lblPmaxTitle->setText(limitName + QStringLiteral(" [p.u.]"));
    m_lblV2PmaxTitle->setText(curve.exporting ? QStringLiteral("V2 en el límite [p.u.]")
                                              : QStringLiteral("V2 en Pmax [p.u.]"));
    const auto explain = [](QLabel *caption, QLabel *value, const QString &text) {
        caption->setToolTip(text);
        value->setAccessibleDescription(text);
    };
    if (curve.exporting) {
        explain(m_lblPmaxTitle, m_lblPmax,
                QStringLiteral(
                        "Máxima potencia activa que la barra 2 puede exportar a la red con su factor de potencia"));
        explain(m_lblV2PmaxTitle, m_lblV2Pmax,
                QStringLiteral(
                        "Tensión de la barra 2 en la nariz de la curva, donde se alcanza el límite de exportación"));
        explain(findChild<QLabel *>(QStringLiteral("lblMargenP_tit")), m_lblMargenP,
                QStringLiteral(
                        "Potencia activa que la exportación aún puede crecer: límite de exportación - |Pcarga|"));
    } else {
        explain(m_lblPmaxTitle, m_lblPmax, kPmaxTip);
        explain(m_lblV2PmaxTitle, m_lblV2Pmax, kV2PmaxTip);
        explain(findChild<QLabel *>(QStringLiteral("lblMargenP_tit")), m_lblMargenP, kMargenPTip);
    }
    // Screen readers name each value by the caption shown beside it.
    MakeValueLabel(m_lblPmax, m_lblPmaxTitle->text());
    MakeValueLabel(m_lblV2Pmax, m_lblV2PmaxTitle->text());
    for (QLabel *label : { m_lblPmax, m_lblV2Pmax, m_lblMargenP })
        m_look->showValue(label, false);
    DrawPvCurve(*m_view, curve, operating, load);

    m_lblPmax->setText(Number(curve.Pmax, m_regional));
    m_lblV2Pmax->setText(Number(curve.vNose, m_regional));
    m_lblMargenP->setText(Number(curve.Pmax - load, m_regional));
    m_lblAviso->hide();
    m_view->show();
    m_view->setAccessibleDescription(
            QStringLiteral("Tensión de la barra 2 según crece su potencia activa. %1 = %2 p.u., Pcarga = %3 p.u., "
                           "margen P = %4 p.u.")
                    .arg(limitName, RoundedText(curve.Pmax, m_regional), RoundedText(inputs.Pcarga, m_regional),
                         RoundedText(curve.Pmax - load, m_regional)));
    setNote(curve.exporting ? QStringLiteral("Pcarga negativa: la barra 2 genera y exporta potencia activa; la curva "
                                             "llega hasta el límite de exportación.")
                            : QString());
    m_showsCurve = true;
    m_inputs = inputs;
    return true;
}

} // namespace tarvilo
