#pragma once

#include "core/qv_types.h"
#include "core/regional_settings.h"
#include "ui/chart/chart_grid.h"
#include "ui/chart/chart_marks.h"
#include "ui/chart/chart_scale.h"
#include "ui/chart/qv_chart.h"
#include "ui/chart/styled_chart.h"

#include <QLocale>

namespace tarvilo {

// The main window's Q-V chart grfMsChart: the three curves of a 6 x 300 grid
// and the marks of the run, on the fixed scales of a run (the reactive power
// around the nose, the voltage from 0 to 1.2). Its look is set once; each
// run only reloads the grid, the marks and the scales. The point under the
// cursor is named beside it.
class QvChartView : public StyledChartView
{
    Q_OBJECT

public:
    QvChartView(const QLocale &locale, const RegionalSettings &regional, QWidget *parent = nullptr);

    // Repaints at once with the current contents, unless "Agregar" is set.
    void repaintChart(bool agregar);

    // Sets the axis scales around Q2crit and refills the grid with the
    // curves. Throws RunFault when Q2crit is beyond the axis scaling; the
    // chart then keeps what it showed.
    void loadChart(double q2crit, const QvCurves &curves);

    // The marks of the run whose curves were just loaded.
    void showMarks(const ChartMarks &marks);

    // Says over the plot that it no longer shows the current case: the
    // previous run's picture, or the sample content before any run.
    void markOutdated();
    bool loaded() const { return m_loaded; }

    QvChart *qvChart() const { return m_qvChart; }
    const ChartGrid &grid() const { return m_qvChart->grid(); }
    QLineSeries *series(Curve curve) const { return m_qvChart->curve(curve); }
    QValueAxis *axisX() const { return m_qvChart->axisX(); }
    QValueAxis *axisY() const { return m_qvChart->axisY(); }

signals:
    void doubleClicked();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void setScale(QValueAxis *axis, const AxisScale &scale);
    void fitReactivePowerLabels();

    QvChart *m_qvChart;
    bool m_loaded = false;
};

} // namespace tarvilo
