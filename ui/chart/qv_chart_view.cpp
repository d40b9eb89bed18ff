#include "ui/chart/qv_chart_view.h"

#include "ui/chart/axis_ticks.h"
#include "ui/chart/chart_hover.h"
#include "ui/chart/off_scale_note.h"

#include <QFocusEvent>
#include <QKeyEvent>
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
    showRanges(*RunRanges(0.0));
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

void QvChartView::showCase(const ShownCase &shown)
{
    if (shown.loaded) {
        showRanges(shown.axes);
        fitReactivePowerLabels();
        m_qvChart->showCurves(shown.grid);
    }
    if (shown.marks)
        m_qvChart->showMarks(*shown.marks);
    else
        m_qvChart->clearMarks();
    m_qvChart->setNote(shown.note);
    if (shown.loaded) {
        // Fixed axes may miss every curve (a line over-compensated far
        // beyond the nose): the plot says where they went rather than stay blank.
        m_qvChart->setScaleNote(OffScaleNote(m_qvChart->grid(), RangesOf(*m_qvChart), m_qvChart->regional()));
    }
    m_qvChart->showKeptCases(shown.kept);
    setAccessibleDescription(shown.description);
    m_loaded = shown.loaded;
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
    emit activated();
}

void QvChartView::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        emit activated();
        return;
    }
    StyledChartView::keyPressEvent(event);
}

void QvChartView::focusInEvent(QFocusEvent *event)
{
    StyledChartView::focusInEvent(event);
    emit focusShown(true);
}

void QvChartView::focusOutEvent(QFocusEvent *event)
{
    StyledChartView::focusOutEvent(event);
    emit focusShown(false);
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

void QvChartView::showRanges(const AxisRanges &ranges)
{
    axisX()->setRange(ranges.xMin, ranges.xMax);
    axisY()->setRange(ranges.yMin, ranges.yMax);
}

} // namespace tarvilo
