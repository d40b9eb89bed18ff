#include "ui/chart/styled_chart.h"

#include "ui/common/form_font.h"

#include <QCategoryAxis>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QLegend>
#include <QMouseEvent>
#include <QPen>

#include <algorithm>

namespace tarvilo {
namespace {

constexpr qreal kPixelsPerTickAcross = 70;
constexpr qreal kPixelsPerTickDown = 40;
// Qt keeps this much room above and below each label of an axis down the
// plot (Qt 6.4 and 6.8), and cuts a label taller than its share to "...".
constexpr qreal kQtLabelPadding = 4;

} // namespace

StyledChart::StyledChart(Look look, const QLocale &locale) : m_look(look), m_decimalPoint(locale.decimalPoint())
{
    setAnimationOptions(QChart::NoAnimation);
    QFont titleFont = lookFont();
    if (look == Look::Large)
        titleFont.setPointSize(12);
    setTitleFont(titleFont);
    setTitleBrush(Qt::black);
    setBackgroundRoundness(0);
    if (look == Look::Small) {
        // The default margins are made for large charts: at this size they
        // would squeeze the tick labels into "...".
        legend()->hide();
        layout()->setContentsMargins(0, 0, 0, 0);
        // On the right, room for half of a three-digit label at the last tick.
        setMargins(QMargins(2, 0, 12, 2));
    } else {
        // Beside the plot, one entry a line: long names are never cut.
        legend()->setAlignment(Qt::AlignRight);
        legend()->setFont(lookFont());
        legend()->setLabelColor(Qt::black);
    }
    // The tick labels are made here, not by Qt from a locale: Qt would
    // write them in the locale's own digits.
    QLocale tickLocale = locale;
    tickLocale.setNumberOptions(QLocale::OmitGroupSeparator);
    setLocale(tickLocale);

    m_hoverBox = new QGraphicsRectItem(this);
    m_hoverBox->setBrush(QColor(255, 255, 225, 235));
    m_hoverBox->setPen(QPen(QColor(120, 120, 120), 0));
    m_hoverBox->setZValue(30);
    m_hoverBox->hide();
    m_hover = new QGraphicsSimpleTextItem(m_hoverBox);
    m_hover->setFont(lookFont());
    m_hover->setPos(4, 3);

    connect(this, &QChart::plotAreaChanged, this, [this] { placeAllTicks(); });
}

QFont StyledChart::lookFont() const
{
    QFont font = FormFont();
    if (m_look == Look::Large)
        font.setPointSize(10);
    return font;
}

QValueAxis *StyledChart::addValueAxis(const QString &title, Qt::Alignment side)
{
    auto *axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setTitleText(title);
    axis->setTitleFont(lookFont());
    axis->setTitleBrush(Qt::black);
    axis->setLabelsFont(lookFont());
    axis->setLabelsBrush(Qt::black);
    axis->setGridLinePen(QPen(QColor(218, 218, 218), 0));
    axis->setLinePen(QPen(QColor(96, 96, 96), 0));
    addAxis(axis, side);
    m_axes.push_back({ axis, 0, true, {} });
    connect(axis, &QValueAxis::rangeChanged, this, [this, axis] {
        for (TickedAxis &ticked : m_axes) {
            if (ticked.axis == axis)
                placeTicks(ticked);
        }
    });
    placeTicks(m_axes.back());
    return axis;
}

void StyledChart::addSeriesOnBothAxes(QAbstractSeries *series)
{
    addSeries(series);
    for (const TickedAxis &ticked : m_axes)
        series->attachAxis(ticked.axis);
}

void StyledChart::setTickDivisions(QValueAxis *axis, int divisions, bool labelAtMinimum)
{
    for (TickedAxis &ticked : m_axes) {
        if (ticked.axis != axis)
            continue;
        ticked.divisions = divisions;
        ticked.labelAtMinimum = labelAtMinimum;
        ticked.ticks.clear();
        ticked.placedPixels = -1;
        placeTicks(ticked);
    }
}

QList<Tick> StyledChart::ticks(const QValueAxis *axis) const
{
    for (const TickedAxis &ticked : m_axes) {
        if (ticked.axis == axis)
            return ticked.ticks;
    }
    return {};
}

void StyledChart::placeAllTicks()
{
    for (TickedAxis &ticked : m_axes)
        placeTicks(ticked);
}

void StyledChart::placeTicks(TickedAxis &ticked)
{
    // The only place where ticks are set: from the range and the size alone,
    // so no range can ask for more than a few dozen of them.
    if (m_placing)
        return;
    QCategoryAxis *axis = ticked.axis;
    const bool across = axis->orientation() == Qt::Horizontal;
    const qreal pixels = across ? plotArea().width() : plotArea().height();
    // Most runs and steps keep the range and the size: nothing to measure.
    if (axis->min() == ticked.placedMin && axis->max() == ticked.placedMax && pixels == ticked.placedPixels)
        return;
    ticked.placedMin = axis->min();
    ticked.placedMax = axis->max();
    ticked.placedPixels = pixels;
    int maxTicks = ticked.divisions;
    if (maxTicks <= 0) {
        maxTicks = static_cast<int>(pixels / (across ? kPixelsPerTickAcross : kPixelsPerTickDown));
        maxTicks = std::max(2, maxTicks);
    }
    QList<Tick> ticks = TicksOver(axis->min(), axis->max(), maxTicks, m_decimalPoint);
    if (ticked.divisions <= 0 && axis->orientation() == Qt::Horizontal) {
        // Qt gives each label of the axis an equal share of its width, one
        // share more than there are labels, and cuts a longer label to "...":
        // fewer ticks where the labels are long.
        const QFontMetricsF metrics(axis->labelsFont());
        for (int attempt = 0; attempt < 4; ++attempt) {
            qreal widest = 0;
            for (const Tick &tick : ticks)
                widest = std::max(widest, metrics.horizontalAdvance(tick.label));
            const int fitting = static_cast<int>(plotArea().width() / (widest + 16)) - 2;
            if (ticks.size() <= std::max(fitting, 1) + 1 || maxTicks <= 1)
                break;
            maxTicks = std::min(maxTicks - 1, std::max(fitting, 1));
            ticks = TicksOver(axis->min(), axis->max(), maxTicks, m_decimalPoint);
        }
    }
    if (!ticked.labelAtMinimum && !ticks.isEmpty() && ticks.front().value == axis->min())
        ticks.removeFirst();
    if (!across) {
        // Qt gives each label down the plot an equal share of the height, one
        // share more than there are labels: where the usual font is taller
        // than a share, a smaller one keeps every label whole.
        const qreal share = pixels / (ticks.size() + 1) - 2 * kQtLabelPadding;
        const QFont labelsFont = FittingLabelsFont(lookFont(), share);
        if (axis->labelsFont() != labelsFont)
            axis->setLabelsFont(labelsFont);
    }
    if (ticks == ticked.ticks && axis->startValue() == axis->min())
        return;
    m_placing = true;
    for (const QString &label : axis->categoriesLabels())
        axis->remove(label);
    axis->setStartValue(axis->min());
    for (const Tick &tick : ticks)
        axis->append(tick.label, tick.value);
    ticked.ticks = ticks;
    m_placing = false;
}

void StyledChart::showHover(const QString &text, const QPointF &at)
{
    if (text.isEmpty()) {
        m_hoverBox->hide();
        return;
    }
    // Beside the cursor, wholly inside the chart: the values go on lines of
    // their own, then a smaller font, where the chart is too narrow.
    const QRectF bounds = rect().adjusted(2, 2, -2, -2);
    QString shown = text;
    QFont hoverFont = lookFont();
    const auto widthOf = [&] { return QFontMetricsF(hoverFont).boundingRect(QRectF(), 0, shown).width() + 8; };
    if (widthOf() > bounds.width())
        shown.replace(QStringLiteral("  "), QStringLiteral("\n"));
    while (widthOf() > bounds.width() && hoverFont.pointSizeF() > 6)
        hoverFont.setPointSizeF(hoverFont.pointSizeF() - 1);
    m_hover->setFont(hoverFont);
    m_hover->setText(shown);
    const QSizeF size = m_hover->boundingRect().size() + QSizeF(8, 6);
    m_hoverBox->setRect(QRectF(QPointF(0, 0), size));
    const QPointF cursor = mapFromScene(at);
    QPointF place = cursor + QPointF(12, 12);
    if (place.x() + size.width() > bounds.right())
        place.setX(cursor.x() - 12 - size.width());
    if (place.y() + size.height() > bounds.bottom())
        place.setY(cursor.y() - 12 - size.height());
    place.setX(std::clamp(place.x(), bounds.left(), std::max(bounds.left(), bounds.right() - size.width())));
    place.setY(std::clamp(place.y(), bounds.top(), std::max(bounds.top(), bounds.bottom() - size.height())));
    m_hoverBox->setPos(place);
    m_hoverBox->show();
}

QString StyledChart::hoverText() const
{
    return m_hoverBox->isVisible() ? m_hover->text() : QString();
}

QRectF StyledChart::hoverRect() const
{
    return m_hoverBox->isVisible() ? m_hoverBox->mapRectToParent(m_hoverBox->rect()) : QRectF();
}

QFont FittingLabelsFont(const QFont &usual, qreal share)
{
    const auto sized = [&usual](int step) {
        QFont font = usual;
        font.setPointSizeF(usual.pointSizeF() - 0.5 * step);
        return font;
    };
    // Sizes 0 to last - 1 are measured; the last, at or under the smallest, is taken unmeasured.
    int last = 0;
    while (sized(last).pointSizeF() > kSmallestLabelPoints)
        ++last;
    const auto fits = [&](int step) { return QFontMetricsF(sized(step)).height() + 1 <= share; };
    // No font is so small that its labels fit a share of a pixel or less
    // (a plot not laid out yet).
    if (last == 0 || share <= 1)
        return sized(last);
    if (fits(0))
        return usual;
    int low = 1, high = last;
    while (low < high) {
        const int middle = (low + high) / 2;
        if (fits(middle))
            high = middle;
        else
            low = middle + 1;
    }
    return sized(low);
}

QPen CurvePen(const QColor &colour, qreal width, Qt::PenStyle style)
{
    QPen pen(colour, width, style);
    pen.setCosmetic(true);
    // A one-pixel solid line as a dash longer than any curve: drawn as one
    // path rather than segment by segment. Measured with
    // bench/tarvilo_window_bench on Qt 6.4.2 (Debian 12, loaded 2-core
    // machine, two runs each): a step with eight kept cases 22.8 -> 17.9 ms
    // median (-21 %), a bare repaint of both charts 5.7 -> 3.7 ms (-35 %).
    if (style == Qt::SolidLine && width <= 1)
        pen.setDashPattern({ 65536.0, 1.0 });
    return pen;
}

QScatterSeries *PointMark(QScatterSeries::MarkerShape shape, const QColor &fill, qreal size)
{
    auto *series = new QScatterSeries;
    series->setMarkerShape(shape);
    series->setMarkerSize(size);
    series->setBrush(fill);
    series->setPen(QPen(Qt::white, 1.5));
    return series;
}

StyledChartView::StyledChartView(StyledChart *chart, QWidget *parent) : QChartView(chart, parent)
{
    setRenderHint(QPainter::Antialiasing);
    setAccessibleName(chart->title());
    // Runs move the curves: an index of item places would be rebuilt each time.
    scene()->setItemIndexMethod(QGraphicsScene::NoIndex);
}

void StyledChartView::mousePressEvent(QMouseEvent *event)
{
    // A button held down since a press inside keeps the mouse here, so a
    // second button can be pressed with the pointer out of the window, over
    // no item at all. Qt's chart view asks the item under the pointer
    // whether it takes the button without looking whether there is one: such
    // a press goes to the scene alone (it could start no band anyway, being
    // off the plot).
    if (!itemAt(event->position().toPoint())) {
        QGraphicsView::mousePressEvent(event);
        return;
    }
    QChartView::mousePressEvent(event);
}

} // namespace tarvilo
