#include "ui/chart/qv_chart_view.h"

#include "core/run_fault.h"
#include "ui/chart/axis_ticks.h"
#include "ui/chart/chart_hover.h"
#include "ui/chart/off_scale_note.h"

#include <QMouseEvent>
#include <QValueAxis>

#include <algorithm>

namespace tarvilo {
namespace {

constexpr qsizetype kUprightLabelCharacters = 3;

} // namespace

QvChartView::QvChartView(const QLocale &locale, const RegionalSettings &regional, QWidget *parent)
    : StyledChartView(new QvChart(QvChart::Look::Small, locale, regional), parent),
      m_qvChart(static_cast<QvChart *>(chart()))
{
    // Thirteen voltage labels, 0 included: the plot sets them smaller where
    // the chart's height gives each too little room.
    m_qvChart->setTickDivisions(axisY(), kVoltageScale.divisions);
    m_qvChart->setTickDivisions(axisX(), ReactivePowerScale(0.0)->divisions);
    setScale(axisX(), *ReactivePowerScale(0.0));
    setScale(axisY(), kVoltageScale);
    setFocusPolicy(Qt::NoFocus);
}

void QvChartView::repaintChart(bool agregar)
{
    // Asked of the scene, not forced on the view: the paint comes with the
    // next pass of the event loop (at the latest while a message box waits),
    // and a reload that follows at once joins the same paint.
    if (!agregar)
        scene()->update();
}

void QvChartView::loadChart(double q2crit, const QvCurves &curves)
{
    const std::optional<AxisScale> scale = ReactivePowerScale(q2crit);
    if (!scale) {
        throw RunFault::beyondChartScale(q2crit);
    }
    setScale(axisX(), *scale);
    setScale(axisY(), kVoltageScale);
    fitReactivePowerLabels();
    m_qvChart->showCurves(ChartGrid(curves));
    m_qvChart->setNote(QString());
    // Fixed axes may miss every curve (a line over-compensated far beyond
    // the nose): the plot says where they went rather than stay blank.
    m_qvChart->setScaleNote(OffScaleNote(m_qvChart->grid(), RangesOf(*m_qvChart), m_qvChart->regional()));
    m_loaded = true;
}

void QvChartView::showMarks(const ChartMarks &marks)
{
    m_qvChart->showMarks(marks);
}

void QvChartView::markOutdated()
{
    m_qvChart->setNote(m_loaded ? QStringLiteral("Gráfico del cálculo anterior") : QStringLiteral("Sin resultados"));
}

void QvChartView::mouseMoveEvent(QMouseEvent *event)
{
    StyledChartView::mouseMoveEvent(event);
    const QPointF at = mapToScene(event->position().toPoint());
    m_qvChart->showHover(HoverTextAt(*m_qvChart, at), at);
}

void QvChartView::leaveEvent(QEvent *event)
{
    StyledChartView::leaveEvent(event);
    m_qvChart->showHover(QString(), QPointF());
}

void QvChartView::mouseDoubleClickEvent(QMouseEvent *event)
{
    StyledChartView::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

void QvChartView::fitReactivePowerLabels()
{
    // Eleven labels share the width of the plot: up to three characters
    // ("-10") fit side by side, longer ones ("-32768") only turned upright.
    const auto characters = [](double value) { return QString::number(value, 'f', 0).size(); };
    const qsizetype longest = std::max(characters(axisX()->min()), characters(axisX()->max()));
    const int angle = longest > kUprightLabelCharacters ? -90 : 0;
    if (axisX()->labelsAngle() != angle)
        axisX()->setLabelsAngle(angle);
}

void QvChartView::setScale(QValueAxis *axis, const AxisScale &scale)
{
    axis->setRange(scale.minimum, scale.maximum);
}

} // namespace tarvilo
