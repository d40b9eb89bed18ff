#include "ui/chart/off_scale_note.h"

#include "core/number_format.h"

#include <QStringList>

#include <algorithm>

namespace tarvilo {
namespace {

// Where a curve lies against the ranges, as words; empty when a point lies within.
QString SideOf(const QList<QPointF> &points, const AxisRanges &ranges, const RegionalSettings &regional)
{
    const auto number = [&regional](double value) { return QString::fromStdString(ToGeneralText(value, regional)); };
    const auto all = [&points](auto test) { return std::all_of(points.begin(), points.end(), test); };
    if (std::any_of(points.begin(), points.end(), [&ranges](const QPointF &p) {
            return p.x() >= ranges.xMin && p.x() <= ranges.xMax && p.y() >= ranges.yMin && p.y() <= ranges.yMax;
        })) {
        return {};
    }
    if (all([&ranges](const QPointF &p) { return p.y() > ranges.yMax; }))
        return QStringLiteral("por encima de V = %1").arg(number(ranges.yMax));
    if (all([&ranges](const QPointF &p) { return p.y() < ranges.yMin; }))
        return QStringLiteral("por debajo de V = %1").arg(number(ranges.yMin));
    if (all([&ranges](const QPointF &p) { return p.x() < ranges.xMin; }))
        return QStringLiteral("a la izquierda de Q = %1").arg(number(ranges.xMin));
    if (all([&ranges](const QPointF &p) { return p.x() > ranges.xMax; }))
        return QStringLiteral("a la derecha de Q = %1").arg(number(ranges.xMax));
    return QStringLiteral("fuera de los ejes");
}

} // namespace

QString OffScaleNote(const ChartGrid &grid, const AxisRanges &ranges, const RegionalSettings &regional)
{
    const QString lower = SideOf(grid.points(Curve::LowerBranch), ranges, regional);
    const QString upper = SideOf(grid.points(Curve::UpperBranch), ranges, regional);
    const QString load = SideOf(grid.points(Curve::LoadCharacteristic), ranges, regional);
    if (lower.isEmpty() || upper.isEmpty() || load.isEmpty())
        return {};
    QStringList lines{ QStringLiteral("Ninguna curva cae dentro de los ejes:") };
    if (lower == upper) {
        lines << QStringLiteral("sistema: ") + lower;
    } else {
        lines << QStringLiteral("rama superior: ") + upper << QStringLiteral("rama inferior: ") + lower;
    }
    lines << QStringLiteral("carga: ") + load;
    return lines.join(QLatin1Char('\n'));
}

} // namespace tarvilo
