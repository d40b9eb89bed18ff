#pragma once

#include "core/qv_types.h"
#include "core/regional_settings.h"
#include "ui/chart/chart_grid.h"
#include "ui/chart/chart_marks.h"
#include "ui/chart/chart_scale.h"
#include "ui/chart/qv_chart.h"
#include "ui/chart/shown_case.h"
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

    // Draws what the main window shows: on a loaded case its axes, curves
    // and the note of curves beyond them; the marks, the kept cases, the
    // note and the description for screen readers.
    void showCase(const ShownCase &shown);
    bool loaded() const { return m_loaded; }

    QvChart *qvChart() const { return m_qvChart; }
    const ChartGrid &grid() const { return m_qvChart->grid(); }
    QLineSeries *series(Curve curve) const { return m_qvChart->curve(curve); }
    QValueAxis *axisX() const { return m_qvChart->axisX(); }
    QValueAxis *axisY() const { return m_qvChart->axisY(); }

signals:
    // Enter, the space bar or a double click: the user asks for the large chart.
    void activated();
    // The chart took or lost the keyboard focus.
    void focusShown(bool shown);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showRanges(const AxisRanges &ranges);
    void fitReactivePowerLabels();

    QvChart *m_qvChart;
    bool m_loaded = false;
};

} // namespace tarvilo
