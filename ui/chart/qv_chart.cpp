#include "ui/chart/qv_chart.h"

#include <QBrush>
#include <QGraphicsSimpleTextItem>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QStringList>
#include <QValueAxis>

#include <utility>

namespace tarvilo {
namespace {

// A kept curve is drawn with a third of its points: eight cases of three
// curves each are drawn with every step.
QList<QPointF> Thinned(const QList<QPointF> &points)
{
    QList<QPointF> thinned;
    thinned.reserve(points.size() / 3 + 2);
    for (qsizetype i = 0; i < points.size(); i += 3)
        thinned << points[i];
    if (!points.isEmpty() && (points.size() - 1) % 3 != 0)
        thinned << points.back();
    return thinned;
}

// Each new list lays the series out anew: not when nothing changed.
void SetPoints(QXYSeries *series, const QList<QPointF> &points)
{
    if (series->points() != points)
        series->replace(points);
}

} // namespace

QvChart::QvChart(Look look, const QLocale &locale, const RegionalSettings &regional)
    : StyledChart(look, locale), m_regional(regional)
{
    m_slotSerials.fill(-1);
    setTitle(QStringLiteral("Curvas Q vs. V"));
    buildAxes();
    buildCurves();
    buildMarks();
    showCurves(m_grid);

    m_note = new QGraphicsSimpleTextItem(this);
    m_note->setFont(lookFont());
    m_note->setBrush(QColor(150, 0, 0));
    m_note->setZValue(20);
    connect(this, &QChart::plotAreaChanged, this, [this] { placeNote(); });
}

void QvChart::buildAxes()
{
    m_axisX = addValueAxis(AxisTitle(AxisQuantity::ReactivePower), Qt::AlignBottom);
    m_axisY = addValueAxis(AxisTitle(AxisQuantity::Voltage), Qt::AlignLeft);
    connect(m_axisX, &QValueAxis::rangeChanged, this, [this] { stretchMinimumVoltageLine(); });
    for (QValueAxis *axis : { m_axisX, m_axisY })
        connect(axis, &QValueAxis::rangeChanged, this, [this] { keepLinesWithinReach(); });
    m_reach = ReachAround({ m_axisX->min(), m_axisX->max(), m_axisY->min(), m_axisY->max() });
}

void QvChart::buildCurves()
{
    // Lower branch, upper branch, load characteristic: told apart by colour.
    for (const Curve curve : kCurves) {
        auto *series = new QLineSeries;
        series->setName(NameOf(curve));
        series->setPen(CurvePen(ColourOf(curve)));
        m_curves[static_cast<int>(curve)] = series;
        addSeriesOnBothAxes(series);
    }
}

void QvChart::buildMarks()
{
    const qreal size = look() == Look::Large ? 11 : 8;
    m_markSeries[static_cast<int>(Mark::UpperPoint)] =
            PointMark(QScatterSeries::MarkerShapeCircle, ColourOf(Mark::UpperPoint), size);
    m_markSeries[static_cast<int>(Mark::LowerPoint)] =
            PointMark(QScatterSeries::MarkerShapeCircle, ColourOf(Mark::LowerPoint), size);
    m_markSeries[static_cast<int>(Mark::Nose)] =
            PointMark(QScatterSeries::MarkerShapeRectangle, ColourOf(Mark::Nose), size);
    auto *minimum = new QLineSeries;
    minimum->setPen(CurvePen(ColourOf(Mark::MinimumVoltage), 1, Qt::DashLine));
    m_markSeries[static_cast<int>(Mark::MinimumVoltage)] = minimum;
    auto *margin = new QLineSeries;
    margin->setPen(CurvePen(ColourOf(Mark::Margin), look() == Look::Large ? 4 : 3));
    m_markSeries[static_cast<int>(Mark::Margin)] = margin;
    for (const Mark which : kMarks) {
        QXYSeries *series = mark(which);
        series->setName(NameOf(which));
        addSeriesOnBothAxes(series);
    }
    if (look() != Look::Large)
        return;
    auto *qvMargin = new QLineSeries;
    qvMargin->setPen(CurvePen(ColourOf(Mark::QvMargin), 4));
    m_markSeries[static_cast<int>(Mark::QvMargin)] = qvMargin;
    for (const Mark which : kLargeChartMarks) {
        QXYSeries *series = mark(which);
        series->setName(NameOf(which));
        addSeriesOnBothAxes(series);
    }
}

void QvChart::showCurves(const ChartGrid &grid)
{
    // A curve that did not change keeps its points: each new list strokes
    // the whole curve again, and a step of Qcap or Qcarga moves only the
    // load characteristic.
    for (const Curve which : kCurves) {
        QLineSeries *series = curve(which);
        if (which != Curve::LoadCharacteristic && branchesFromMarks())
            continue;
        if (m_linePoints.value(series).size() != ChartGrid::kRows || !grid.sameCurve(m_grid, which))
            drawLine(series, grid.points(which));
    }
    m_grid = grid;
}

void QvChart::drawLine(QXYSeries *series, const QList<QPointF> &points)
{
    m_linePoints.insert(series, points);
    SetPoints(series, WithinReach(points, m_reach));
}

void QvChart::keepLinesWithinReach()
{
    const AxisRanges reach = ReachAround({ m_axisX->min(), m_axisX->max(), m_axisY->min(), m_axisY->max() });
    if (reach == m_reach)
        return;
    m_reach = reach;
    for (auto line = m_linePoints.cbegin(); line != m_linePoints.cend(); ++line)
        SetPoints(line.key(), WithinReach(line.value(), m_reach));
}

bool QvChart::branchesFromMarks() const
{
    return look() == Look::Large && m_hasMarks && !m_marks.upperBranch.isEmpty();
}

void QvChart::showBranches()
{
    // The run's 300 points where the marks bring no branches of their own.
    for (const auto &[which, refined] :
         { std::pair(Curve::UpperBranch, &m_marks.upperBranch), std::pair(Curve::LowerBranch, &m_marks.lowerBranch) }) {
        QLineSeries *series = curve(which);
        if (branchesFromMarks())
            drawLine(series, *refined);
        else if (m_linePoints.value(series).size() != ChartGrid::kRows)
            drawLine(series, m_grid.points(which));
    }
}

void QvChart::showMarks(const ChartMarks &marks)
{
    m_marks = marks;
    m_hasMarks = true;
    const QList<QPointF> none;
    SetPoints(mark(Mark::UpperPoint), marks.hasSolution ? QList<QPointF>{ marks.upper } : none);
    SetPoints(mark(Mark::LowerPoint), marks.hasSolution ? QList<QPointF>{ marks.lower } : none);
    SetPoints(mark(Mark::Nose), { marks.nose });
    drawLine(mark(Mark::Margin), { QPointF(marks.marginFrom, marks.nose.y()), marks.nose });
    if (QXYSeries *qvMargin = mark(Mark::QvMargin)) {
        drawLine(qvMargin, marks.hasQvMargin ? QList<QPointF>{ marks.qvMarginFrom, marks.qvMarginTo } : none);
    }
    showBranches();
    stretchMinimumVoltageLine();
}

void QvChart::clearMarks()
{
    m_hasMarks = false;
    for (const Mark which : kMarks)
        mark(which)->clear();
    for (const Mark which : kLargeChartMarks) {
        if (mark(which))
            mark(which)->clear();
    }
    for (const Mark which : { Mark::Margin, Mark::QvMargin }) {
        if (mark(which))
            m_linePoints.remove(mark(which));
    }
    showBranches();
}

QColor QvChart::keptColour(int serial)
{
    return KeptColour(serial);
}

void QvChart::showKeptCases(const std::vector<KeptCurves> &cases)
{
    // Each case keeps its place (three series, in its own colour) while it
    // is kept, so a new case refills only the series of the place it takes.
    // A kept curve the same as the current one is left out: drawn over it,
    // it would only hide it. It is made transparent, not emptied nor hidden:
    // hiding or showing a series lays the whole chart out again (its legend
    // marker follows it), and refilling it strokes it again, while with
    // every step half of the kept curves may change sides.
    std::array<const KeptCurves *, kMaxKeptCases> inSlot{};
    for (const KeptCurves &kept : cases)
        inSlot[kept.serial % kMaxKeptCases] = &kept;
    for (int slot = 0; slot < kMaxKeptCases; ++slot) {
        const KeptCurves *kept = inSlot[slot];
        const bool newCase = kept && m_slotSerials[slot] != kept->serial;
        m_slotSerials[slot] = kept ? kept->serial : -1;
        for (const Curve which : kCurves) {
            const bool wanted = kept && !kept->grid.sameCurve(m_grid, which);
            bool &filled = m_slotFilled[slot][static_cast<int>(which)];
            if (!wanted && !filled)
                continue;
            QLineSeries *series = keptSlot(slot, which);
            if (wanted && (newCase || !filled)) {
                drawLine(series, Thinned(kept->grid.points(which)));
                const QColor colour = keptColour(kept->serial);
                if (series->pen().color() != colour)
                    series->setPen(CurvePen(colour));
                filled = true;
            } else if (!wanted && (newCase || !kept)) {
                series->clear();
                m_linePoints.remove(series);
                filled = false;
            }
            const qreal opacity = wanted ? 1 : 0;
            if (series->opacity() != opacity)
                series->setOpacity(opacity);
        }
    }
    if (look() == Look::Large)
        showKeptLegend(cases);
    m_kept = cases;
}

void QvChart::showKeptLegend(const std::vector<KeptCurves> &cases)
{
    // The legend names the cases through series of their own without
    // points, oldest first: with a new case the names and colours move one
    // entry on. The colours are given to the markers, which only repaint,
    // not to the series, whose every change lays the whole chart out again.
    for (size_t place = 0; place < kMaxKeptCases; ++place) {
        const bool used = place < cases.size();
        if (!used && !m_keptLegend[place])
            continue;
        QLineSeries *entry = keptLegendEntry(static_cast<int>(place));
        const QList<QLegendMarker *> markers = legend()->markers(entry);
        if (used) {
            if (entry->name() != cases[place].name)
                entry->setName(cases[place].name);
            const QColor colour = keptColour(cases[place].serial);
            for (QLegendMarker *marker : markers) {
                if (marker->brush().color() != colour)
                    marker->setBrush(colour);
            }
        }
        // Set whatever the marker reports: it reports hidden while the chart is.
        for (QLegendMarker *marker : markers)
            marker->setVisible(used);
    }
}

QLineSeries *QvChart::keptLegendEntry(int place)
{
    QLineSeries *&entry = m_keptLegend[static_cast<size_t>(place)];
    if (entry)
        return entry;
    entry = new QLineSeries;
    entry->setPen(CurvePen(Qt::black, 2));
    addSeriesOnBothAxes(entry);
    return entry;
}

QLineSeries *QvChart::keptSlot(int slot, Curve curve)
{
    QLineSeries *&series = m_keptSlots[slot][static_cast<int>(curve)];
    if (series)
        return series;
    series = new QLineSeries;
    addSeriesOnBothAxes(series);
    for (QLegendMarker *marker : legend()->markers(series))
        marker->setVisible(false);
    return series;
}

QList<QLineSeries *> QvChart::keptSeries() const
{
    QList<QLineSeries *> shown;
    for (const auto &slot : m_keptSlots) {
        for (QLineSeries *series : slot) {
            if (series && series->count() > 0 && series->opacity() > 0)
                shown << series;
        }
    }
    return shown;
}

void QvChart::stretchMinimumVoltageLine()
{
    // Across the whole width of the plot, whatever range it shows.
    if (!m_hasMarks)
        return;
    const double v = m_marks.minimumVoltage;
    SetPoints(mark(Mark::MinimumVoltage), { QPointF(m_axisX->min(), v), QPointF(m_axisX->max(), v) });
}

void QvChart::setNote(const QString &note)
{
    m_noteText = note;
    showNotes();
}

QString QvChart::note() const
{
    return m_noteText;
}

void QvChart::setScaleNote(const QString &note)
{
    m_scaleNote = note;
    showNotes();
}

void QvChart::showNotes()
{
    QStringList lines;
    for (const QString &note : { m_noteText, m_scaleNote }) {
        if (!note.isEmpty())
            lines << note;
    }
    m_note->setText(lines.join(QLatin1Char('\n')));
    m_note->setVisible(!lines.isEmpty());
    placeNote();
}

void QvChart::placeNote()
{
    const QRectF plot = plotArea();
    m_note->setPos(plot.right() - m_note->boundingRect().width() - 4, plot.top() + 2);
}

} // namespace tarvilo
