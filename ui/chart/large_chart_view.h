#pragma once

#include "core/per_unit.h"
#include "core/regional_settings.h"
#include "ui/chart/axis_ticks.h"
#include "ui/chart/qv_chart.h"
#include "ui/chart/shown_case.h"
#include "ui/chart/styled_chart.h"

#include <QLocale>

#include <optional>

namespace tarvilo {

// The Q-V plot with a legend, at any size: it fits everything by default, a
// rubber band or the mouse wheel zooms, a double click or Escape goes back to
// the fitted view. Tick labels are spaced for the present size.
class LargeChartView : public StyledChartView
{
    Q_OBJECT

public:
    enum class Mode { Fitted, MainAxes, Zoomed };

    LargeChartView(const QLocale &locale, const RegionalSettings &regional, QWidget *parent = nullptr);

    // Shows what the main window shows (curves, marks, kept cases, note);
    // keeps the user's zoom, refits a fitted view, follows the main chart's axes.
    void follow(const ShownCase &shown);
    void fitAll();
    void showMainAxes();

    QvChart *qvChart() const { return m_qvChart; }
    // The bases of the case shown, while its inputs came from physical data:
    // the hover readout gives Mvar and kV too. None for per unit alone.
    void setPhysicalBases(const std::optional<PhysicalBases> &bases) { m_bases = bases; }
    Mode mode() const { return m_mode; }

protected:
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void showRanges(const AxisRanges &ranges, Mode mode);
    QRectF plotInView() const;

    QvChart *m_qvChart;
    std::optional<PhysicalBases> m_bases;
    Mode m_mode = Mode::Fitted;
    AxisRanges m_mainRanges;
    bool m_settingRanges = false;
    bool m_drawingBand = false; // the left button went down inside the plot
};

} // namespace tarvilo
