#include "ui/chart/chart_grid.h"

#include "core/number_format.h"

namespace tarvilo {
ChartGrid::ChartGrid()
{
    static const double kSampleRows[5][3] = {
        { -4, 0.5, 1.012 }, { -3, 0.6, 1.011 }, { -2, 0.7, 1.01 }, { -1, 0.8, 1.005 }, { 0, 1, 1 }
    };
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            m_values[row][column] = row < 5 && column < 3 ? kSampleRows[row][column]
                                                          : static_cast<double>((row * 37 + column * 11) % 100);
        }
    }
}

ChartGrid::ChartGrid(const QvCurves &curves)
{
    for (int row = 0; row < kRows; ++row) {
        const int point = row + 1;
        // Lower branch, upper branch, load characteristic; q2 is shared.
        const double q2 = ToFifteenDigitValue(curves.q2[point]);
        m_values[row] = { q2,
                          ToFifteenDigitValue(curves.vl[point]),
                          q2,
                          ToFifteenDigitValue(curves.vu[point]),
                          ToFifteenDigitValue(curves.qcapr[point]),
                          ToFifteenDigitValue(curves.v2[point]) };
    }
}

QString ChartGrid::text(int row, int column, const RegionalSettings &regional) const
{
    return QString::fromStdString(ToGeneralText(m_values[row][column], regional));
}

QList<QPointF> ChartGrid::points(Curve curve) const
{
    const int xColumn = 2 * static_cast<int>(curve);
    QList<QPointF> points;
    points.reserve(kRows);
    for (const auto &row : m_values)
        points.append(QPointF(row[xColumn], row[xColumn + 1]));
    return points;
}

bool ChartGrid::sameCurve(const ChartGrid &other, Curve curve) const
{
    const int xColumn = 2 * static_cast<int>(curve);
    for (int row = 0; row < kRows; ++row) {
        if (m_values[row][xColumn] != other.m_values[row][xColumn]
            || m_values[row][xColumn + 1] != other.m_values[row][xColumn + 1]) {
            return false;
        }
    }
    return true;
}

} // namespace tarvilo
