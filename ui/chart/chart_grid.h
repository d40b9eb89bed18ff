#pragma once

#include "core/qv_types.h"
#include "core/regional_settings.h"

#include <QList>
#include <QPointF>
#include <QString>

#include <array>

namespace tarvilo {

// The three curves of the chart, in the order they are drawn.
enum class Curve { LowerBranch, UpperBranch, LoadCharacteristic };
inline constexpr Curve kCurves[] = { Curve::LowerBranch, Curve::UpperBranch, Curve::LoadCharacteristic };

// The chart's data grid: 300 rows of six cells, each pair of columns one
// curve (X column, then Y column). A cell holds its value taken to 15
// significant digits, as the general text form of the value reads back;
// that is what the chart plots.
class ChartGrid
{
public:
    static constexpr int kRows = kCurvePoints;
    static constexpr int kColumns = 6;

    // The content before any run: five sample rows and placeholder integers.
    ChartGrid();
    // Row i holds point i + 1 of the run's curves.
    explicit ChartGrid(const QvCurves &curves);

    double value(int row, int column) const { return m_values[row][column]; }
    // The cell as text: at most 15 significant digits, the regional separator.
    QString text(int row, int column, const RegionalSettings &regional) const;
    // The 300 points of one curve, row order.
    QList<QPointF> points(Curve curve) const;
    bool sameCurve(const ChartGrid &other, Curve curve) const;

private:
    std::array<std::array<double, kColumns>, kRows> m_values{};
};

} // namespace tarvilo
