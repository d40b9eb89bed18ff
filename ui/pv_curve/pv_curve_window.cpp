#include "ui/pv_curve/pv_curve_window.h"

#include "core/number_format.h"
#include "core/pv_curve.h"
#include "core/run_fault.h"
#include "ui/chart/axis_ticks.h"
#include "ui/chart/xy_chart_view.h"
#include "ui/common/companion_window.h"
#include "ui/common/fault_message.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace tarvilo {
namespace {

constexpr int kPvPoints = 200;

QString ObstacleText(PvObstacle obstacle, const QvInputs& inputs)
{
    switch (obstacle) {
    case PvObstacle::NoLoad:
        return inputs.Pcarga == 0
                   ? QStringLiteral("Sin carga activa (Pcarga = 0) no hay curva P-V: la curva muestra cómo baja la "
                                    "tensión de la barra 2 cuando crece la potencia activa de la carga.")
                   : QStringLiteral("Con Pcarga negativa la barra 2 genera potencia activa: no hay una carga que "
                                    "crezca y, con ella, no hay curva P-V.");
    case PvObstacle::NoNose:
        return QStringLiteral("Con X · (Qcap + B/2) igual o mayor que 1 la compensación en derivación cubre toda la "
                              "reactancia de la línea: la curva P-V no tiene nariz ni carga máxima.");
    case PvObstacle::NoLine:
        return QStringLiteral("La curva P-V necesita una reactancia X positiva y una tensión U inf distinta de cero.");
    }
    return {};
}

}  // namespace

PvCurveWindow::PvCurveWindow(const QLocale& locale, const RegionalSettings& regional, QWidget* parent)
    : QWidget(parent, Qt::Window), m_regional(regional)
{
    SetUpCompanionWindow(this, QStringLiteral("frmCurvaPV"), QStringLiteral("Curva P-V - Tarvilo"));

    m_view = new XyChartView({QStringLiteral("Curva P-V"), QStringLiteral("Potencia activa de la carga [p.u.]"),
                              QStringLiteral("Tensión en la carga [p.u.]"), QStringLiteral("P"), QStringLiteral("V")},
                             locale, regional, this);
    m_view->setObjectName(QStringLiteral("grfCurvaPV"));
    m_view->add(QStringLiteral("Rama superior"), PointStyle::Line, QColor(0, 150, 0));
    m_view->add(QStringLiteral("Rama inferior"), PointStyle::Line, QColor(220, 0, 0));
    m_view->add(QStringLiteral("Pmax"), PointStyle::Squares, QColor(230, 120, 0), 11);
    m_view->add(QStringLiteral("Puntos de operación"), PointStyle::Circles, Qt::black, 11);

    m_lblAviso = new QLabel(this);
    m_lblAviso->setObjectName(QStringLiteral("lblAviso"));
    m_lblAviso->setWordWrap(true);
    m_lblAviso->setAlignment(Qt::AlignCenter);
    const auto value = [this](const char* name, const QString& title, const QString& tooltip, QGridLayout* grid, int row) {
        auto* caption = new QLabel(title, this);
        caption->setObjectName(QString::fromLatin1(name) + QStringLiteral("_tit"));
        caption->setToolTip(tooltip);
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(name));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label->setAccessibleName(title);
        label->setAccessibleDescription(tooltip);
        caption->setBuddy(label);
        grid->addWidget(caption, row, 0);
        grid->addWidget(label, row, 1);
        return label;
    };
    auto* values = new QGridLayout;
    m_lblPmax = value("lblPmax", QStringLiteral("Pmax [p.u.]"),
                      QStringLiteral("Máxima potencia activa que la red entrega a la carga con su factor de potencia"),
                      values, 0);
    m_lblMargenP = value("lblMargenP", QStringLiteral("Margen P [p.u.]"),
                         QStringLiteral("Potencia activa que la carga aún puede crecer: Pmax - Pcarga"), values, 1);
    values->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_lblAviso, 1);
    layout->addLayout(values);
    resize(820, 600);
    showNoRun();
}

void PvCurveWindow::showNotice(const QString& text)
{
    m_lblAviso->setText(text);
    m_lblAviso->show();
    m_view->hide();
    m_lblPmax->clear();
    m_lblMargenP->clear();
    m_view->clear();
}

void PvCurveWindow::showNoRun() { showNotice(QStringLiteral("Sin resultados: no hay todavía un cálculo completo.")); }

void PvCurveWindow::follow(const QvInputs& inputs, const QvResults& results)
{
    std::variant<PvCurve, PvObstacle> traced;
    try {
        traced = TracePvCurve(inputs, kPvPoints);
    } catch (const RunFault& fault) {
        showNotice(FaultDescription(fault, m_regional));
        return;
    }
    if (const auto* obstacle = std::get_if<PvObstacle>(&traced)) {
        showNotice(ObstacleText(*obstacle, inputs));
        return;
    }
    const PvCurve& curve = std::get<PvCurve>(traced);
    QList<QPointF> upper, lower;
    for (size_t i = 0; i < curve.p.size(); ++i) {
        upper << QPointF(curve.p[i], curve.vUpper[i]);
        lower << QPointF(curve.p[i], curve.vLower[i]);
    }
    // The ranges first: each curve then works out its shape once.
    const double top = *std::max_element(curve.vUpper.begin(), curve.vUpper.end());
    AxisRanges ranges = RoundRangesAround(0.0, curve.Pmax, top);
    ranges.xMin = 0.0;
    m_view->setRanges(ranges);
    m_view->setPoints(UpperBranch, upper);
    m_view->setPoints(LowerBranch, lower);
    m_view->setPoints(NoseMark, {QPointF(curve.Pmax, curve.vUpper.back())});
    m_view->setPoints(OperatingPoints, results.HasSolution ? QList<QPointF>{QPointF(inputs.Pcarga, results.V2sup),
                                                                             QPointF(inputs.Pcarga, results.V2inf)}
                                                           : QList<QPointF>());

    m_lblPmax->setText(QString::fromStdString(FormatWithPattern(curve.Pmax, kLabelPattern, m_regional)));
    m_lblMargenP->setText(QString::fromStdString(FormatWithPattern(curve.Pmax - inputs.Pcarga, kLabelPattern, m_regional)));
    m_lblAviso->hide();
    m_view->show();
}

}  // namespace tarvilo
