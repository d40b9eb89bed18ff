#pragma once

#include "core/regional_settings.h"
#include "ui/chart/axis_ticks.h"
#include "ui/chart/styled_chart.h"

#include <QColor>
#include <QList>
#include <QLocale>
#include <QPointF>
#include <QString>

#include <vector>

class QXYSeries;

namespace tarvilo {

// How a set of points is drawn: as a line, or as marks of a shape.
enum class PointStyle { Line, DashedLine, Circles, Squares };

// A chart of curves and marked points on two value axes, with a legend and
// a readout of the point under the cursor: what the family and P-V windows
// draw through. Each curve or set of marks is known by the number add()
// gives it; only what changes is handed on to the drawing.
class XyChartView : public StyledChartView
{
    Q_OBJECT

public:
    struct Titles
    {
        QString chart;
        QString axisX;
        QString axisY;
        QString symbolX; // in the readout: "Q", "P"
        QString symbolY;
    };

    XyChartView(const Titles &titles, const QLocale &locale, const RegionalSettings &regional,
                QWidget *parent = nullptr);

    // A curve or a set of marks, empty and shown, in the order drawn.
    int add(const QString &name, PointStyle style, const QColor &colour, qreal size = 1);
    void setPoints(int id, const QList<QPointF> &points);
    void setName(int id, const QString &name);
    void setColour(int id, const QColor &colour);
    void setShown(int id, bool shown);
    void setInLegend(int id, bool inLegend);
    // Lays the chart out at once rather than at the next pass of the event
    // loop: points set after it are shaped for the final plot area, once.
    void layOutNow();
    void clear();
    int count() const { return static_cast<int>(m_entries.size()); }

    QList<QPointF> points(int id) const;
    QString name(int id) const;
    QColor colour(int id) const;
    bool shown(int id) const;
    // The names in the legend, in its order.
    QStringList legendNames() const;

    void setAxisTitleX(const QString &title);
    void setRanges(const AxisRanges &ranges);
    AxisRanges ranges() const;
    QList<Tick> ticks(Qt::Orientation orientation) const;

    StyledChart *styledChart() const { return m_chart; }
    // A new chart with the same title, axes, ranges, curves and marks, for
    // a picture of it (see ChartPicture); the caller takes it.
    StyledChart *copyChart() const;
    QString hoverText() const { return m_chart->hoverText(); }
    QRectF hoverRect() const { return m_chart->hoverRect(); }

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    struct Entry
    {
        QXYSeries *series = nullptr;
        PointStyle style = PointStyle::Line;
        qreal size = 1;
        bool inLegend = true;
    };
    void showLegendEntry(const Entry &entry);
    // The legend's font, smaller where its entries would not all fit.
    void fitLegend();
    QString hoverTextAt(const QPointF &scenePosition) const;

    StyledChart *m_chart;
    RegionalSettings m_regional;
    Titles m_titles;
    QValueAxis *m_axisX = nullptr;
    QValueAxis *m_axisY = nullptr;
    std::vector<Entry> m_entries;
};

} // namespace tarvilo
