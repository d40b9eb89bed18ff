#pragma once

#include <QChart>
#include <QChartView>
#include <QLocale>
#include <QPen>
#include <QScatterSeries>

class QValueAxis;

namespace tarvilo {

class AsciiDigitsKeeper;

// A chart in the program's look: the small one of the main window, without
// legend and with tight margins, or a large one with a legend beside it.
// Tick labels use the locale's decimal separator, never grouped, and ASCII
// digits whatever the locale's own.
class StyledChart : public QChart {
    Q_OBJECT

public:
    enum class Look { Small, Large };

    StyledChart(Look look, const QLocale& locale);

    Look look() const { return m_look; }
    QFont font() const;

    // An axis with its title, in this chart's look, added at the given side.
    QValueAxis* addValueAxis(const QString& title, Qt::Alignment side);

    // Readies the texts for painting (the tick labels' digits); views and
    // pictures call it before they paint.
    void prepareTexts();

private:
    Look m_look;
    AsciiDigitsKeeper* m_digits = nullptr;
};

// A cosmetic pen for a curve: its width in pixels whatever the zoom.
// One-pixel solid lines are drawn as one path, several times faster than
// Qt Charts' segment-by-segment drawing.
QPen CurvePen(const QColor& colour, qreal width = 1, Qt::PenStyle style = Qt::SolidLine);

// A series of marked points: filled markers with a white rim, which stand
// out on any curve.
QScatterSeries* PointMark(QScatterSeries::MarkerShape shape, const QColor& fill, qreal size);

// A view that readies its chart's texts before every paint.
class StyledChartView : public QChartView {
    Q_OBJECT

public:
    explicit StyledChartView(StyledChart* chart, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tarvilo
