#include "ui/chart/chart_hover.h"

#include "ui/chart/axis_ticks.h"
#include "ui/chart/qv_chart.h"
#include "ui/chart/tick_labels.h"
#include "ui/common/number_text.h"

#include <QLineF>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace tarvilo {
namespace {

constexpr qreal kReach = 6; // pixels

// The nearest thing under the cursor so far.
struct Nearest
{
    qreal distance = kReach;
    QString name;
    QString values;
    std::optional<QPointF> point; // (Q, V) where the item is a point
    std::optional<double> voltage; // where it is a line at one voltage
};

QString PointValues(const QPointF &point, const RegionalSettings &regional)
{
    return QStringLiteral("Q = %1  V = %2").arg(ExactText(point.x(), regional), ExactText(point.y(), regional));
}

qreal DistanceToSegment(const QPointF &p, const QPointF &a, const QPointF &b)
{
    const QPointF ab = b - a;
    const qreal length2 = QPointF::dotProduct(ab, ab);
    const qreal t = length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
    return QLineF(p, a + t * ab).length();
}

void ConsiderPoints(QvChart &plot, QXYSeries *series, const QPointF &cursor, Nearest &nearest)
{
    if (!series->isVisible())
        return;
    const QList<QPointF> points = series->points();
    for (const QPointF &point : points) {
        const qreal distance = QLineF(cursor, plot.mapToPosition(point, series)).length();
        if (distance < nearest.distance) {
            nearest = { distance, series->name(), PointValues(point, plot.regional()), point, std::nullopt };
        }
    }
}

void ConsiderLine(QvChart &plot, Mark mark, double voltage, const QString &values, const QPointF &cursor,
                  Nearest &nearest)
{
    QXYSeries *series = plot.mark(mark);
    if (!series || series->count() < 2)
        return;
    const qreal distance = DistanceToSegment(cursor, plot.mapToPosition(series->at(0), series),
                                             plot.mapToPosition(series->at(1), series));
    if (distance < nearest.distance)
        nearest = { distance, series->name(), values, std::nullopt, voltage };
}

// The same values in physical units: "Q = -166,201141920777 Mvar  V = 131,881480526538 kV".
QString PhysicalValues(const PhysicalBases &bases, const std::optional<double> &reactive, double voltage, bool exact,
                       const RegionalSettings &regional)
{
    const auto text = [&](double value) { return exact ? ExactText(value, regional) : RoundedText(value, regional); };
    const QString v = QStringLiteral("V = %1 kV").arg(text(bases.kv(voltage)));
    return reactive ? QStringLiteral("Q = %1 Mvar  ").arg(text(bases.mvar(*reactive))) + v : v;
}

// A coordinate under the cursor as the labels round it (four decimals),
// unless a pixel of the view is smaller than that: then with the decimals
// that tell neighbouring pixels apart.
QString CursorText(double value, double span, qreal pixels, const RegionalSettings &regional)
{
    const double pixel = span / std::max<qreal>(pixels, 1);
    const int decimals = pixel > 0 ? static_cast<int>(std::ceil(-std::log10(pixel))) : 0;
    if (decimals <= 4)
        return RoundedText(value, regional);
    return TickLabel(value, std::min(decimals, 17), QString::fromStdString(regional.decimalSeparator));
}

} // namespace

QString HoverTextAt(QvChart &plot, const QPointF &scenePosition, const std::optional<PhysicalBases> &bases)
{
    const QPointF cursor = plot.mapFromScene(scenePosition);
    if (!plot.plotArea().contains(cursor))
        return {};
    const RegionalSettings &regional = plot.regional();

    // The marks lie on the curves: they come first.
    Nearest nearest;
    for (const Mark mark : { Mark::UpperPoint, Mark::LowerPoint, Mark::Nose }) {
        ConsiderPoints(plot, plot.mark(mark), cursor, nearest);
    }
    if (nearest.name.isEmpty()) {
        for (const Curve curve : kCurves)
            ConsiderPoints(plot, plot.curve(curve), cursor, nearest);
    }
    if (nearest.name.isEmpty() && plot.hasMarks()) {
        const ChartMarks &marks = plot.marks();
        ConsiderLine(plot, Mark::Margin, marks.nose.y(),
                     QStringLiteral("V = %1").arg(ExactText(marks.nose.y(), regional)), cursor, nearest);
        if (nearest.name == NameOf(Mark::Margin)) {
            nearest.name += QStringLiteral(" = ") + ExactText(marks.margin, regional);
            // Beside it, the margin as the Q-V method reads it.
            if (marks.hasQvMargin)
                nearest.values += QStringLiteral("  (Margen QV = %1)").arg(ExactText(marks.qvMargin, regional));
        }
        if (marks.hasQvMargin) {
            ConsiderLine(plot, Mark::QvMargin, marks.qvMarginFrom.y(),
                         QStringLiteral("V = %1").arg(ExactText(marks.qvMarginFrom.y(), regional)), cursor, nearest);
            if (nearest.name == NameOf(Mark::QvMargin)) {
                nearest.name += QStringLiteral(" = ") + ExactText(marks.qvMargin, regional);
            }
        }
        ConsiderLine(plot, Mark::MinimumVoltage, marks.minimumVoltage,
                     QStringLiteral("V = %1").arg(ExactText(marks.minimumVoltage, regional)), cursor, nearest);
    }
    if (!nearest.name.isEmpty()) {
        QString text = nearest.name + QLatin1Char('\n') + nearest.values;
        if (bases && nearest.point) {
            text += QLatin1Char('\n') + PhysicalValues(*bases, nearest.point->x(), nearest.point->y(), true, regional);
        } else if (bases && nearest.voltage) {
            text += QLatin1Char('\n') + PhysicalValues(*bases, std::nullopt, *nearest.voltage, true, regional);
        }
        return text;
    }

    const QPointF value = plot.mapToValue(cursor);
    const AxisRanges view = RangesOf(plot);
    const QRectF area = plot.plotArea();
    QString text = QStringLiteral("Q = %1  V = %2")
                           .arg(CursorText(value.x(), view.xMax - view.xMin, area.width(), regional),
                                CursorText(value.y(), view.yMax - view.yMin, area.height(), regional));
    if (bases)
        text += QLatin1Char('\n') + PhysicalValues(*bases, value.x(), value.y(), false, regional);
    return text;
}

} // namespace tarvilo
