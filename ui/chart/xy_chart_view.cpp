#include "ui/chart/xy_chart_view.h"

#include "ui/common/number_text.h"

#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QLegend>
#include <QLegendMarker>
#include <QLineF>
#include <QLineSeries>
#include <QMouseEvent>
#include <QScatterSeries>
#include <QValueAxis>

namespace tarvilo {
namespace {

constexpr qreal kReach = 6; // pixels
// Qt sets each legend entry this much taller than its label's font, and the
// legend as a whole this much taller than its entries (Qt 6.4).
constexpr qreal kLegendEntryPadding = 8;
constexpr qreal kLegendPadding = 30;
// Entries are never set smaller than this to fit.
constexpr qreal kSmallestLegendPoints = 6.5;

bool IsLine(PointStyle style)
{
    return style == PointStyle::Line || style == PointStyle::DashedLine;
}

} // namespace

XyChartView::XyChartView(const Titles &titles, const QLocale &locale, const RegionalSettings &regional, QWidget *parent)
    : StyledChartView(new StyledChart(StyledChart::Look::Large, locale), parent),
      m_chart(static_cast<StyledChart *>(chart())),
      m_regional(regional),
      m_titles(titles)
{
    m_chart->setTitle(titles.chart);
    setAccessibleName(titles.chart);
    m_axisX = m_chart->addValueAxis(titles.axisX, Qt::AlignBottom);
    m_axisY = m_chart->addValueAxis(titles.axisY, Qt::AlignLeft);
    setMouseTracking(true);
    connect(m_chart, &QChart::plotAreaChanged, this, [this] { fitLegend(); });
}

void XyChartView::fitLegend()
{
    // Qt leaves out the entries below the legend's height: with many curves
    // (a family of 25 values) a smaller font keeps every entry shown.
    QLegend *legend = m_chart->legend();
    int entries = 0;
    for (const Entry &entry : m_entries)
        entries += entry.inLegend && entry.series->isVisible();
    const qreal room = legend->geometry().height() - kLegendPadding;
    if (entries == 0 || room <= 0)
        return;
    QFont font = m_chart->lookFont();
    while (entries * (QFontMetricsF(font).height() + kLegendEntryPadding) > room
           && font.pointSizeF() > kSmallestLegendPoints) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    if (legend->font() != font)
        legend->setFont(font);
}

int XyChartView::add(const QString &name, PointStyle style, const QColor &colour, qreal size)
{
    Entry entry{ nullptr, style, size, true };
    if (IsLine(style)) {
        auto *line = new QLineSeries;
        line->setPen(CurvePen(colour, size, style == PointStyle::DashedLine ? Qt::DashLine : Qt::SolidLine));
        entry.series = line;
    } else {
        entry.series = PointMark(style == PointStyle::Circles ? QScatterSeries::MarkerShapeCircle
                                                              : QScatterSeries::MarkerShapeRectangle,
                                 colour, size);
    }
    entry.series->setName(name);
    m_chart->addSeriesOnBothAxes(entry.series);
    m_entries.push_back(entry);
    return count() - 1;
}

StyledChart *XyChartView::copyChart() const
{
    auto *copy = new StyledChart(StyledChart::Look::Large, m_chart->locale());
    copy->setTitle(m_chart->title());
    QValueAxis *axisX = copy->addValueAxis(m_axisX->titleText(), Qt::AlignBottom);
    QValueAxis *axisY = copy->addValueAxis(m_axisY->titleText(), Qt::AlignLeft);
    axisX->setRange(m_axisX->min(), m_axisX->max());
    axisY->setRange(m_axisY->min(), m_axisY->max());
    for (const Entry &entry : m_entries) {
        QXYSeries *series = nullptr;
        if (IsLine(entry.style)) {
            auto *line = new QLineSeries;
            line->setPen(entry.series->pen());
            series = line;
        } else {
            const auto *marks = static_cast<const QScatterSeries *>(entry.series);
            series = PointMark(marks->markerShape(), marks->brush().color(), marks->markerSize());
        }
        series->setName(entry.series->name());
        series->replace(entry.series->points());
        series->setVisible(entry.series->isVisible());
        copy->addSeriesOnBothAxes(series);
        for (QLegendMarker *marker : copy->legend()->markers(series))
            marker->setVisible(entry.inLegend && entry.series->isVisible());
    }
    return copy;
}

void XyChartView::setPoints(int id, const QList<QPointF> &points)
{
    QXYSeries *series = m_entries[static_cast<size_t>(id)].series;
    // Each new list lays the series out anew: not when nothing changed.
    if (series->points() != points)
        series->replace(points);
}

void XyChartView::layOutNow()
{
    // A legend entry's font follows the room it gets, which can move the
    // plot area once more.
    QGraphicsLayout *layout = m_chart->layout();
    for (int pass = 0; pass < 3 && layout && !layout->isActivated(); ++pass)
        layout->activate();
}

void XyChartView::setName(int id, const QString &name)
{
    QXYSeries *series = m_entries[static_cast<size_t>(id)].series;
    if (series->name() != name)
        series->setName(name);
}

void XyChartView::setColour(int id, const QColor &colour)
{
    const Entry &entry = m_entries[static_cast<size_t>(id)];
    if (IsLine(entry.style)) {
        if (entry.series->pen().color() == colour)
            return;
        QPen pen = entry.series->pen();
        pen.setColor(colour);
        entry.series->setPen(pen);
    } else if (entry.series->brush().color() != colour) {
        entry.series->setBrush(colour);
    }
}

void XyChartView::setShown(int id, bool shown)
{
    const Entry &entry = m_entries[static_cast<size_t>(id)];
    if (entry.series->isVisible() != shown)
        entry.series->setVisible(shown);
    showLegendEntry(entry);
}

void XyChartView::setInLegend(int id, bool inLegend)
{
    Entry &entry = m_entries[static_cast<size_t>(id)];
    entry.inLegend = inLegend;
    showLegendEntry(entry);
}

void XyChartView::showLegendEntry(const Entry &entry)
{
    // Set whatever the marker reports: it reports hidden while the chart is.
    const bool visible = entry.inLegend && entry.series->isVisible();
    for (QLegendMarker *marker : m_chart->legend()->markers(entry.series))
        marker->setVisible(visible);
    fitLegend();
}

void XyChartView::setAxisTitleX(const QString &title)
{
    if (m_axisX->titleText() != title)
        m_axisX->setTitleText(title);
}

void XyChartView::clear()
{
    for (const Entry &entry : m_entries) {
        if (entry.series->count() > 0)
            entry.series->clear();
    }
}

QList<QPointF> XyChartView::points(int id) const
{
    return m_entries[static_cast<size_t>(id)].series->points();
}

QString XyChartView::name(int id) const
{
    return m_entries[static_cast<size_t>(id)].series->name();
}

QColor XyChartView::colour(int id) const
{
    const Entry &entry = m_entries[static_cast<size_t>(id)];
    return IsLine(entry.style) ? entry.series->pen().color() : entry.series->brush().color();
}

bool XyChartView::shown(int id) const
{
    return m_entries[static_cast<size_t>(id)].series->isVisible();
}

QStringList XyChartView::legendNames() const
{
    QStringList names;
    for (QLegendMarker *marker : m_chart->legend()->markers()) {
        if (marker->isVisible())
            names << marker->label();
    }
    return names;
}

void XyChartView::setRanges(const AxisRanges &ranges)
{
    m_axisX->setRange(ranges.xMin, ranges.xMax);
    m_axisY->setRange(ranges.yMin, ranges.yMax);
}

AxisRanges XyChartView::ranges() const
{
    return { m_axisX->min(), m_axisX->max(), m_axisY->min(), m_axisY->max() };
}

QList<Tick> XyChartView::ticks(Qt::Orientation orientation) const
{
    return m_chart->ticks(orientation == Qt::Horizontal ? m_axisX : m_axisY);
}

QString XyChartView::hoverTextAt(const QPointF &scenePosition) const
{
    const QPointF cursor = m_chart->mapFromScene(scenePosition);
    if (!m_chart->plotArea().contains(cursor))
        return {};
    const auto values = [this](const QPointF &point, bool exact) {
        const auto text = [&](double v) { return exact ? ExactText(v, m_regional) : RoundedText(v, m_regional); };
        return QStringLiteral("%1 = %2  %3 = %4")
                .arg(m_titles.symbolX, text(point.x()), m_titles.symbolY, text(point.y()));
    };
    // Marks first: they lie on the curves.
    qreal nearest = kReach;
    QString found;
    for (const bool marks : { true, false }) {
        for (const Entry &entry : m_entries) {
            if (IsLine(entry.style) == marks || !entry.series->isVisible())
                continue;
            const QList<QPointF> points = entry.series->points();
            for (const QPointF &point : points) {
                const qreal distance = QLineF(cursor, m_chart->mapToPosition(point, entry.series)).length();
                if (distance < nearest) {
                    nearest = distance;
                    found = entry.series->name() + QLatin1Char('\n') + values(point, true);
                }
            }
        }
        if (!found.isEmpty())
            return found;
    }
    return values(m_chart->mapToValue(cursor), false);
}

void XyChartView::mouseMoveEvent(QMouseEvent *event)
{
    StyledChartView::mouseMoveEvent(event);
    const QPointF at = mapToScene(event->position().toPoint());
    m_chart->showHover(hoverTextAt(at), at);
}

void XyChartView::leaveEvent(QEvent *event)
{
    StyledChartView::leaveEvent(event);
    m_chart->showHover(QString(), QPointF());
}

} // namespace tarvilo
