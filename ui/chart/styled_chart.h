#pragma once

#include "ui/chart/tick_labels.h"

#include <QChart>
#include <QChartView>
#include <QLocale>
#include <QPen>
#include <QScatterSeries>

#include <vector>

class QCategoryAxis;
class QGraphicsRectItem;
class QGraphicsSimpleTextItem;
class QValueAxis;

namespace tarvilo {

// A chart in the program's look: the small one of the main window, without
// legend and with tight margins, or a large one with a legend beside it.
// Tick labels use the locale's decimal separator, never grouped, and ASCII
// digits whatever the locale's own.
class StyledChart : public QChart
{
    Q_OBJECT

public:
    enum class Look { Small, Large };

    StyledChart(Look look, const QLocale &locale);

    Look look() const { return m_look; }
    QFont lookFont() const;

    // An axis with its title, in this chart's look, added at the given side.
    // Its ticks follow its range and the plot's size: at most one label
    // every 70 pixels across, 40 down, on round values.
    QValueAxis *addValueAxis(const QString &title, Qt::Alignment side);
    // Adds a series drawn against both axes of the chart.
    void addSeriesOnBothAxes(QAbstractSeries *series);
    // At most this many divisions on the axis, whatever the plot's size.
    // Without a label at the axis' minimum, the tick there is only its
    // grid line: Qt gives each label of such an axis a share of the height
    // that counts one label more than there are.
    void setTickDivisions(QValueAxis *axis, int divisions, bool labelAtMinimum = true);
    // The ticks the axis carries now, as placed and labelled.
    QList<Tick> ticks(const QValueAxis *axis) const;

    // The text under the cursor, in a box beside scene point at, kept
    // wholly inside the chart; "" hides it.
    void showHover(const QString &text, const QPointF &at);
    QString hoverText() const;
    // The box's place in the chart's coordinates (empty when hidden).
    QRectF hoverRect() const;

private:
    struct TickedAxis
    {
        QCategoryAxis *axis = nullptr;
        int divisions = 0; // 0: by the plot's size
        bool labelAtMinimum = true;
        QList<Tick> ticks;
        // What the ticks were placed for: range and plot size.
        double placedMin = 0;
        double placedMax = 0;
        qreal placedPixels = -1;
    };
    void placeTicks(TickedAxis &ticked);
    void placeAllTicks();

    Look m_look;
    QString m_decimalPoint;
    std::vector<TickedAxis> m_axes;
    bool m_placing = false;
    QGraphicsRectItem *m_hoverBox = nullptr;
    QGraphicsSimpleTextItem *m_hover = nullptr;
};

// Labels down a plot are never set smaller than this to fit.
inline constexpr qreal kSmallestLabelPoints = 6;

// The usual font, or the largest one of half a point less at a time down to
// kSmallestLabelPoints whose labels are whole in a share of the given
// height (the font's height and a pixel); the smallest where none is. The
// usual size fits most plots; the others are searched by halves (a taller
// size never has shorter labels), since each size measured makes a font
// engine of its own and the plot draws with one.
QFont FittingLabelsFont(const QFont &usual, qreal share);

// A cosmetic pen for a curve: its width in pixels whatever the zoom.
// One-pixel solid lines are drawn as one path (measured in the .cpp).
QPen CurvePen(const QColor &colour, qreal width = 1, Qt::PenStyle style = Qt::SolidLine);

// A series of marked points: filled markers with a white rim, which stand
// out on any curve.
QScatterSeries *PointMark(QScatterSeries::MarkerShape shape, const QColor &fill, qreal size);

// A view of a styled chart, antialiased. Any press is safe, also one where
// the pointer has left the view.
class StyledChartView : public QChartView
{
    Q_OBJECT

public:
    explicit StyledChartView(StyledChart *chart, QWidget *parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

} // namespace tarvilo
