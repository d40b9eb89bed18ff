#pragma once

#include "core/qv_types.h"
#include "core/regional_settings.h"
#include "output/chart_scale.h"

#include <QChartView>
#include <QLocale>

class QLineSeries;
class QValueAxis;

namespace tarvilo {

class ChartGridModel;

// The Q-V chart: an XY chart fed from a 6 x 300 grid whose column pairs form
// the lower branch, the upper branch and the load characteristic. Its look
// is set once here; each run only reloads the grid and the axis scales.
class QvChart : public QChartView {
    Q_OBJECT

public:
    // The locale decides the tick labels' decimal separator (never grouped);
    // the regional settings the text of the grid cells.
    QvChart(const QLocale& locale, const RegionalSettings& regional, QWidget* parent = nullptr);

    // Repaints at once with the current contents, unless "Agregar" is set.
    void RepaintChart(bool agregar);

    // Sets the axis scales around Q2crit and refills the grid with the
    // curves. Throws RunFault when Q2crit is beyond the axis scaling; the
    // chart then keeps what it showed.
    void LoadChart(double q2crit, const QvCurves& curves);

    ChartGridModel* grid() const { return m_grid; }
    QLineSeries* series(int index) const { return m_series[index]; }
    QValueAxis* axisX() const { return m_axisX; }
    QValueAxis* axisY() const { return m_axisY; }

private:
    void SetScale(QValueAxis* axis, const AxisScale& scale);
    void FitReactivePowerLabels();
    void CacheStaticItems();

    RegionalSettings m_regional;
    ChartGridModel* m_grid;
    QLineSeries* m_series[3];
    QValueAxis* m_axisX;
    QValueAxis* m_axisY;
};

}  // namespace tarvilo
