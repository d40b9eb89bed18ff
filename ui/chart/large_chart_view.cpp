#include "ui/chart/large_chart_view.h"

#include "ui/chart/chart_hover.h"
#include "ui/chart/zoom_bounds.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QValueAxis>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace tarvilo {

LargeChartView::LargeChartView(const QLocale &locale, const RegionalSettings &regional, QWidget *parent)
    : StyledChartView(new QvChart(QvChart::Look::Large, locale, regional), parent),
      m_qvChart(static_cast<QvChart *>(chart()))
{
    setObjectName(QStringLiteral("grfAmpliado"));
    setRubberBand(QChartView::RectangleRubberBand);
    setFocusPolicy(Qt::StrongFocus);
    // The legend takes its width beside the plot: at a smaller size the
    // tick labels would turn into "..." or be too few to read the scale by.
    setMinimumSize(700, 360);
    // Any range set by other means than showRanges() is the user's zoom,
    // held within the bounds once Qt has finished with it.
    for (QValueAxis *axis : { m_qvChart->axisX(), m_qvChart->axisY() }) {
        connect(axis, &QValueAxis::rangeChanged, this, [this] {
            if (m_settingRanges)
                return;
            m_mode = Mode::Zoomed;
            QTimer::singleShot(0, this, [this] { showRanges(RangesOf(*m_qvChart), m_mode); });
        });
    }
}

void LargeChartView::follow(const ShownCase &shown)
{
    m_qvChart->showCurves(shown.grid);
    if (shown.marks) {
        m_qvChart->showMarks(*shown.marks);
    } else {
        m_qvChart->clearMarks();
    }
    m_qvChart->showKeptCases(shown.kept);
    m_qvChart->setNote(shown.note);
    m_mainRanges = shown.axes;
    if (m_mode == Mode::Fitted)
        fitAll();
    if (m_mode == Mode::MainAxes)
        showMainAxes();
}

void LargeChartView::fitAll()
{
    showRanges(FittedRanges(*m_qvChart), Mode::Fitted);
}

void LargeChartView::showMainAxes()
{
    showRanges(m_mainRanges, Mode::MainAxes);
}

void LargeChartView::showRanges(const AxisRanges &ranges, Mode mode)
{
    m_settingRanges = true;
    ShowRanges(*m_qvChart, mode == Mode::Zoomed ? BoundedZoom(ranges, FittedRanges(*m_qvChart)) : ranges);
    m_settingRanges = false;
    m_mode = mode;
}

void LargeChartView::wheelEvent(QWheelEvent *event)
{
    // Zooms about the point under the cursor, which stays where it is.
    const QPointF centre = m_qvChart->mapToValue(m_qvChart->mapFromScene(mapToScene(event->position().toPoint())));
    const double factor = std::pow(0.8, event->angleDelta().y() / 120.0);
    AxisRanges ranges = RangesOf(*m_qvChart);
    ranges = { centre.x() + (ranges.xMin - centre.x()) * factor, centre.x() + (ranges.xMax - centre.x()) * factor,
               centre.y() + (ranges.yMin - centre.y()) * factor, centre.y() + (ranges.yMax - centre.y()) * factor };
    showRanges(ranges, Mode::Zoomed);
    // The readout follows what is now under the cursor, which has not moved.
    const QPointF at = mapToScene(event->position().toPoint());
    m_qvChart->showHover(HoverTextAt(*m_qvChart, at, m_bases), at);
    event->accept();
}

void LargeChartView::mousePressEvent(QMouseEvent *event)
{
    // Another button pressed while the left one draws a band drops the band:
    // the right one opens the picture menu, which takes the left button's
    // release, and the band would stay and follow the cursor.
    if (event->button() != Qt::LeftButton && (event->buttons() & Qt::LeftButton)) {
        setRubberBand(QChartView::NoRubberBand);
        setRubberBand(QChartView::RectangleRubberBand);
        m_drawingBand = false;
    }
    if (event->button() == Qt::LeftButton)
        m_drawingBand = plotInView().contains(event->position());
    StyledChartView::mousePressEvent(event);
}

void LargeChartView::mouseDoubleClickEvent(QMouseEvent *event)
{
    fitAll();
    event->accept();
}

void LargeChartView::mouseMoveEvent(QMouseEvent *event)
{
    if (m_drawingBand && (event->buttons() & Qt::LeftButton)) {
        // A band dragged past the plot ends at its edge: Qt would zoom to
        // what lies beyond, a wider view than the one the band began in.
        const QRectF plot = plotInView();
        const QPointF inside(std::clamp(event->position().x(), plot.left(), plot.right()),
                             std::clamp(event->position().y(), plot.top(), plot.bottom()));
        QMouseEvent bounded(event->type(), inside, event->globalPosition() + (inside - event->position()),
                            event->button(), event->buttons(), event->modifiers());
        StyledChartView::mouseMoveEvent(&bounded);
    } else {
        StyledChartView::mouseMoveEvent(event);
    }
    const QPointF at = mapToScene(event->position().toPoint());
    m_qvChart->showHover(HoverTextAt(*m_qvChart, at, m_bases), at);
}

void LargeChartView::mouseReleaseEvent(QMouseEvent *event)
{
    // A right click would zoom out by Qt's rule; here only the left button
    // draws a band, and going back is a double click or Escape.
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    if (event->button() == Qt::LeftButton)
        m_drawingBand = false;
    StyledChartView::mouseReleaseEvent(event);
}

QRectF LargeChartView::plotInView() const
{
    return mapFromScene(m_qvChart->mapToScene(m_qvChart->plotArea())).boundingRect();
}

void LargeChartView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        fitAll();
        event->accept();
        return;
    }
    StyledChartView::keyPressEvent(event);
}

void LargeChartView::leaveEvent(QEvent *event)
{
    StyledChartView::leaveEvent(event);
    m_qvChart->showHover(QString(), QPointF());
}

} // namespace tarvilo
