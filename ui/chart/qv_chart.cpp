#include "ui/chart/qv_chart.h"

#include "core/run_fault.h"
#include "ui/chart/chart_hover.h"

#include <QMouseEvent>
#include <QValueAxis>

#include <algorithm>

namespace tarvilo {
namespace {

constexpr qsizetype kUprightLabelCharacters = 3;

}  // namespace

QvChart::QvChart(const QLocale& locale, const RegionalSettings& regional, QWidget* parent)
    : StyledChartView(new QvPlot(QvPlot::Look::Small, locale, regional), parent),
      m_plot(static_cast<QvPlot*>(chart()))
{
    // Thirteen voltage labels, 0 included: the plot sets them smaller where
    // the chart's height gives each too little room.
    m_plot->setTickDivisions(axisY(), kVoltageScale.divisions);
    m_plot->setTickDivisions(axisX(), ReactivePowerScale(0.0)->divisions);
    setScale(axisX(), *ReactivePowerScale(0.0));
    setScale(axisY(), kVoltageScale);
    setFocusPolicy(Qt::NoFocus);
}

void QvChart::repaintChart(bool agregar)
{
    // Asked of the scene, not forced on the view: the paint comes with the
    // next pass of the event loop (at the latest while a message box waits),
    // and a reload that follows at once joins the same paint.
    if (!agregar) scene()->update();
}

void QvChart::loadChart(double q2crit, const QvCurves& curves)
{
    const std::optional<AxisScale> scale = ReactivePowerScale(q2crit);
    if (!scale) {
        throw RunFault::beyondChartScale(q2crit);
    }
    setScale(axisX(), *scale);
    setScale(axisY(), kVoltageScale);
    fitReactivePowerLabels();
    m_plot->showCurves(ChartGrid(curves));
    m_plot->setNote(QString());
    m_loaded = true;
}

void QvChart::showMarks(const ChartMarks& marks) { m_plot->showMarks(marks); }

void QvChart::markOutdated()
{
    m_plot->setNote(m_loaded ? QStringLiteral("Gráfico del cálculo anterior") : QStringLiteral("Sin resultados"));
}

void QvChart::mouseMoveEvent(QMouseEvent* event)
{
    StyledChartView::mouseMoveEvent(event);
    const QPointF at = mapToScene(event->position().toPoint());
    m_plot->showHover(HoverTextAt(*m_plot, at), at);
}

void QvChart::leaveEvent(QEvent* event)
{
    StyledChartView::leaveEvent(event);
    m_plot->showHover(QString(), QPointF());
}

void QvChart::mouseDoubleClickEvent(QMouseEvent* event)
{
    StyledChartView::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

void QvChart::fitReactivePowerLabels()
{
    // Eleven labels share the width of the plot: up to three characters
    // ("-10") fit side by side, longer ones ("-32768") only turned upright.
    const auto characters = [](double value) { return QString::number(value, 'f', 0).size(); };
    const qsizetype longest = std::max(characters(axisX()->min()), characters(axisX()->max()));
    const int angle = longest > kUprightLabelCharacters ? -90 : 0;
    if (axisX()->labelsAngle() != angle) axisX()->setLabelsAngle(angle);
}

void QvChart::setScale(QValueAxis* axis, const AxisScale& scale)
{
    axis->setRange(scale.minimum, scale.maximum);
}

}  // namespace tarvilo
