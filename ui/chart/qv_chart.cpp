#include "ui/chart/qv_chart.h"

#include "core/run_fault.h"
#include "ui/chart/ascii_digits.h"
#include "ui/common/form_font.h"

#include <QChart>
#include <QFont>
#include <QGraphicsLayout>
#include <QGraphicsLineItem>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <algorithm>

namespace tarvilo {
namespace {

constexpr qsizetype kUprightLabelCharacters = 3;

QValueAxis* MakeAxis(const QString& title, const QString& labelFormat)
{
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setTitleFont(FormFont());
    axis->setTitleBrush(Qt::black);
    axis->setLabelsFont(FormFont());
    axis->setLabelsBrush(Qt::black);
    axis->setLabelFormat(labelFormat);
    // Zero-width (one-pixel cosmetic) pens: the default width-1 pens make
    // every grid line work out its outline as a stroked path, on each paint.
    axis->setGridLinePen(QPen(QColor(218, 218, 218), 0));
    axis->setLinePen(QPen(QColor(96, 96, 96), 0));
    return axis;
}

}  // namespace

QvChart::QvChart(const QLocale& locale, QWidget* parent) : QChartView(new QChart, parent)
{
    QChart* chart = this->chart();
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setTitle(QStringLiteral("Curvas Q vs. V"));
    chart->setTitleFont(FormFont());
    chart->setTitleBrush(Qt::black);
    chart->legend()->hide();
    // The default margins are made for large charts: at this size they
    // would squeeze the tick labels into "...".
    chart->setBackgroundRoundness(0);
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setMargins(QMargins(2, 0, 8, 2));

    QLocale tickLocale = locale;
    tickLocale.setNumberOptions(QLocale::OmitGroupSeparator);
    chart->setLocale(tickLocale);
    chart->setLocalizeNumbers(true);
    if (NeedsAsciiDigits(locale)) new AsciiDigitsKeeper(chart);

    m_axisX = MakeAxis(QStringLiteral("Potencia reactiva en la carga [p.u.]"), QStringLiteral("%.0f"));
    m_axisY = MakeAxis(QStringLiteral("Tensión en la carga [p.u.]"), QStringLiteral("%.1f"));
    chart->addAxis(m_axisX, Qt::AlignBottom);
    chart->addAxis(m_axisY, Qt::AlignLeft);

    // Lower branch, upper branch, load characteristic: told apart by colour.
    const QColor colours[3] = {QColor(220, 0, 0), QColor(0, 150, 0), QColor(0, 0, 202)};
    const QString names[3] = {QStringLiteral("vl"), QStringLiteral("vh"), QStringLiteral("v")};
    for (int i = 0; i < 3; ++i) {
        m_series[i] = new QLineSeries;
        m_series[i]->setName(names[i]);
        QPen pen(colours[i], 1);
        pen.setCosmetic(true);
        m_series[i]->setPen(pen);
        chart->addSeries(m_series[i]);
        m_series[i]->attachAxis(m_axisX);
        m_series[i]->attachAxis(m_axisY);
    }
    showGrid();

    setScale(m_axisX, *ReactivePowerScale(0.0));
    setScale(m_axisY, kVoltageScale);
    setRenderHint(QPainter::Antialiasing);
    setAccessibleName(chart->title());
    // Every run moves the curves: an index of item places would be rebuilt each time.
    scene()->setItemIndexMethod(QGraphicsScene::NoIndex);
    setFocusPolicy(Qt::NoFocus);
}

void QvChart::repaintChart(bool agregar)
{
    // Asked of the scene, not forced on the view: the paint comes with the
    // next pass of the event loop (at the latest while a message box waits),
    // and a reload that follows at once joins the same paint.
    if (!agregar) scene()->update();
}

void QvChart::loadChart(double q2crit, const QvCurves& curves)
{
    const std::optional<AxisScale> scale = ReactivePowerScale(q2crit);
    if (!scale) {
        throw RunFault::beyondChartScale(q2crit);
    }
    setScale(m_axisX, *scale);
    setScale(m_axisY, kVoltageScale);
    fitReactivePowerLabels();
    m_grid = ChartGrid(curves);
    showGrid();
    cacheStaticItems();
}

void QvChart::showGrid()
{
    for (const Curve curve : kCurves) series(curve)->replace(m_grid.points(curve));
}

void QvChart::fitReactivePowerLabels()
{
    // Eleven labels share the width of the plot: up to three characters
    // ("-10") fit side by side, longer ones ("-32768") only turned upright.
    const auto characters = [](double value) { return QString::number(value, 'f', 0).size(); };
    const qsizetype longest = std::max(characters(m_axisX->min()), characters(m_axisX->max()));
    m_axisX->setLabelsAngle(longest > kUprightLabelCharacters ? -90 : 0);
}

void QvChart::cacheStaticItems()
{
    // Grid lines and ticks change only with the scale, yet stroking them
    // costs more than all three curves: keep them as pixmaps. The curves
    // change every run and are drawn directly. (Text items are left alone:
    // their cached pixmaps go stale when the axis relays its labels.)
    for (QGraphicsItem* item : scene()->items()) {
        const bool still = dynamic_cast<QGraphicsLineItem*>(item) != nullptr;
        // Setting the mode again would throw the cached pixmap away.
        if (still && item->cacheMode() != QGraphicsItem::DeviceCoordinateCache) {
            item->setCacheMode(QGraphicsItem::DeviceCoordinateCache);
        }
    }
}

void QvChart::setScale(QValueAxis* axis, const AxisScale& scale)
{
    axis->setRange(scale.minimum, scale.maximum);
    axis->setTickCount(scale.divisions + 1);
}

}  // namespace tarvilo
