#pragma once

#include "core/qv_types.h"
#include "core/regional_settings.h"
#include "ui/chart/chart_grid.h"
#include "ui/chart/chart_scale.h"

#include <QChartView>
#include <QLocale>

class QLineSeries;
class QValueAxis;

namespace tarvilo {

// The Q-V chart grfMsChart: the lower branch, the upper branch and the load
// characteristic of a 6 x 300 grid. Its look is set once here; each run only
// reloads the grid and the axis scales.
class QvChart : public QChartView {
    Q_OBJECT

public:
    // The locale decides the tick labels' decimal separator (never grouped).
    explicit QvChart(const QLocale& locale, QWidget* parent = nullptr);

    // Repaints at once with the current contents, unless "Agregar" is set.
    void repaintChart(bool agregar);

    // Sets the axis scales around Q2crit and refills the grid with the
    // curves. Throws RunFault when Q2crit is beyond the axis scaling; the
    // chart then keeps what it showed.
    void loadChart(double q2crit, const QvCurves& curves);

    const ChartGrid& grid() const { return m_grid; }
    QLineSeries* series(Curve curve) const { return m_series[static_cast<int>(curve)]; }
    QValueAxis* axisX() const { return m_axisX; }
    QValueAxis* axisY() const { return m_axisY; }

private:
    void showGrid();
    void setScale(QValueAxis* axis, const AxisScale& scale);
    void fitReactivePowerLabels();
    void cacheStaticItems();

    ChartGrid m_grid;
    QLineSeries* m_series[3] = {};
    QValueAxis* m_axisX = nullptr;
    QValueAxis* m_axisY = nullptr;
};

}  // namespace tarvilo
