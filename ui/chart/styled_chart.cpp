#include "ui/chart/styled_chart.h"

#include "ui/chart/ascii_digits.h"
#include "ui/common/form_font.h"

#include <QGraphicsLayout>
#include <QLegend>
#include <QPen>
#include <QValueAxis>

namespace tarvilo {

StyledChart::StyledChart(Look look, const QLocale& locale) : m_look(look)
{
    setAnimationOptions(QChart::NoAnimation);
    QFont titleFont = font();
    if (look == Look::Large) titleFont.setPointSize(12);
    setTitleFont(titleFont);
    setTitleBrush(Qt::black);
    setBackgroundRoundness(0);
    if (look == Look::Small) {
        // The default margins are made for large charts: at this size they
        // would squeeze the tick labels into "...".
        legend()->hide();
        layout()->setContentsMargins(0, 0, 0, 0);
        setMargins(QMargins(2, 0, 8, 2));
    } else {
        // Beside the plot, one entry a line: long names are never cut.
        legend()->setAlignment(Qt::AlignRight);
        legend()->setFont(font());
        legend()->setLabelColor(Qt::black);
    }

    QLocale tickLocale = locale;
    tickLocale.setNumberOptions(QLocale::OmitGroupSeparator);
    setLocale(tickLocale);
    setLocalizeNumbers(true);
    if (NeedsAsciiDigits(locale)) m_digits = new AsciiDigitsKeeper(this);
}

QFont StyledChart::font() const
{
    QFont font = FormFont();
    if (m_look == Look::Large) font.setPointSize(10);
    return font;
}

QValueAxis* StyledChart::addValueAxis(const QString& title, Qt::Alignment side)
{
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setTitleFont(font());
    axis->setTitleBrush(Qt::black);
    axis->setLabelsFont(font());
    axis->setLabelsBrush(Qt::black);
    // Zero-width (one-pixel cosmetic) pens: the default width-1 pens make
    // every grid line work out its outline as a stroked path, on each paint.
    axis->setGridLinePen(QPen(QColor(218, 218, 218), 0));
    axis->setLinePen(QPen(QColor(96, 96, 96), 0));
    addAxis(axis, side);
    return axis;
}

void StyledChart::prepareTexts()
{
    if (m_digits) m_digits->watchNewTexts();
}

QPen CurvePen(const QColor& colour, qreal width, Qt::PenStyle style)
{
    QPen pen(colour, width, style);
    pen.setCosmetic(true);
    // Qt Charts draws a solid line segment by segment but a patterned one as
    // a single path, for a one-pixel line at a fifth of the cost; a dash
    // longer than any curve looks solid.
    if (style == Qt::SolidLine && width <= 1) pen.setDashPattern({65536.0, 1.0});
    return pen;
}

QScatterSeries* PointMark(QScatterSeries::MarkerShape shape, const QColor& fill, qreal size)
{
    auto* series = new QScatterSeries;
    series->setMarkerShape(shape);
    series->setMarkerSize(size);
    series->setBrush(fill);
    series->setPen(QPen(Qt::white, 1.5));
    return series;
}

StyledChartView::StyledChartView(StyledChart* chart, QWidget* parent) : QChartView(chart, parent)
{
    setRenderHint(QPainter::Antialiasing);
    setAccessibleName(chart->title());
    // Runs move the curves: an index of item places would be rebuilt each time.
    scene()->setItemIndexMethod(QGraphicsScene::NoIndex);
}

void StyledChartView::paintEvent(QPaintEvent* event)
{
    static_cast<StyledChart*>(chart())->prepareTexts();
    QChartView::paintEvent(event);
}

}  // namespace tarvilo
