#pragma once

#include "core/regional_settings.h"
#include "ui/chart/chart_grid.h"
#include "ui/chart/chart_marks.h"

#include <QChart>
#include <QLocale>

class QGraphicsRectItem;
class QGraphicsSimpleTextItem;
class QLineSeries;
class QValueAxis;
class QXYSeries;

namespace tarvilo {

// The Q-V plot: the three curves first (lower branch, upper branch, load
// characteristic), then the marks of the run's answers, on a reactive-power
// axis and a voltage axis. The main window's small chart shows it without a
// legend; the large chart and the exported pictures with one.
class QvPlot : public QChart {
    Q_OBJECT

public:
    enum class Look { Small, Large };

    // The locale spells the tick labels (its decimal separator, never
    // grouped); the regional settings the values under the cursor.
    QvPlot(Look look, const QLocale& locale, const RegionalSettings& regional);

    void showCurves(const ChartGrid& grid);
    void showMarks(const ChartMarks& marks);
    void clearMarks();

    const ChartGrid& grid() const { return m_grid; }
    const ChartMarks& marks() const { return m_marks; }
    bool hasMarks() const { return m_hasMarks; }
    const RegionalSettings& regional() const { return m_regional; }

    QLineSeries* curve(Curve curve) const { return m_curves[static_cast<int>(curve)]; }
    QXYSeries* mark(Mark mark) const { return m_markSeries[static_cast<int>(mark)]; }
    QValueAxis* axisX() const { return m_axisX; }
    QValueAxis* axisY() const { return m_axisY; }

    // A short note over the plot ("Sin resultados"), or none for "".
    void setNote(const QString& note);
    QString note() const;

    // The text under the cursor, in a box beside scene point at; "" hides it.
    void showHover(const QString& text, const QPointF& at);
    QString hoverText() const;

private:
    void buildAxes(Look look);
    void buildCurves(Look look);
    void buildMarks(Look look);
    void stretchMinimumVoltageLine();
    void placeNote();

    RegionalSettings m_regional;
    ChartGrid m_grid;
    ChartMarks m_marks;
    bool m_hasMarks = false;
    QLineSeries* m_curves[3] = {};
    QXYSeries* m_markSeries[5] = {};
    QValueAxis* m_axisX = nullptr;
    QValueAxis* m_axisY = nullptr;
    QGraphicsSimpleTextItem* m_note = nullptr;
    QGraphicsRectItem* m_hoverBox = nullptr;
    QGraphicsSimpleTextItem* m_hover = nullptr;
};

// The name of a curve or mark, as the legend and the hover text give it.
QString NameOf(Curve curve);
QString NameOf(Mark mark);

}  // namespace tarvilo
