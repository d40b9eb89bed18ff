#include "output/qv_chart.h"

#include "core/number_format.h"
#include "core/run_fault.h"
#include "output/chart_grid_model.h"
#include "output/grid_series_mapper.h"

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

QFont ChartFont() { return QFont(QStringLiteral("Arial"), 8); }

QValueAxis* MakeAxis(const QString& title, const QString& labelFormat)
{
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setTitleFont(ChartFont());
    axis->setTitleBrush(Qt::black);
    axis->setLabelsFont(ChartFont());
    axis->setLabelsBrush(Qt::black);
    axis->setLabelFormat(labelFormat);
    // Zero-width (one-pixel cosmetic) pens: the default width-1 pens make
    // every grid line work out its outline as a stroked path, on each paint.
    axis->setGridLinePen(QPen(QColor(218, 218, 218), 0));
    axis->setLinePen(QPen(QColor(96, 96, 96), 0));
    return axis;
}

}  // namespace

QvChart::QvChart(const QLocale& locale, const RegionalSettings& regional, QWidget* parent)
    : QChartView(parent), m_regional(regional), m_grid(new ChartGridModel(regional, this))
{
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setTitle(QStringLiteral("Curvas Q vs. V"));
    chart->setTitleFont(ChartFont());
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
        new GridSeriesMapper(m_grid, 2 * i, 2 * i + 1, m_series[i], this);
    }

    SetScale(m_axisX, *ReactivePowerScale(0.0));
    SetScale(m_axisY, kVoltageScale);

    // The view starts with a chart of its own, which setChart() releases
    // without deleting.
    QChart* placeholder = this->chart();
    setChart(chart);
    delete placeholder;
    setRenderHint(QPainter::Antialiasing);
    setFocusPolicy(Qt::NoFocus);
}

void QvChart::RepaintChart(bool agregar)
{
    // Asked of the scene, not forced on the view: the paint comes with the
    // next pass of the event loop (at the latest while a message box waits),
    // and a reload that follows at once joins the same paint.
    if (!agregar) scene()->update();
}

void QvChart::LoadChart(double q2crit, const QvCurves& curves)
{
    const std::optional<AxisScale> scale = ReactivePowerScale(q2crit);
    if (!scale) {
        throw RunFault(RunStep::LoadChart,
                       "El punto crítico Q2crit = " + ToGeneralText(q2crit, m_regional) +
                           " queda fuera de la escala del gráfico, que admite valores entre -32759 y "
                           "32766. Revise la reactancia X y la tensión U inf.");
    }
    SetScale(m_axisX, *scale);
    SetScale(m_axisY, kVoltageScale);
    FitReactivePowerLabels();
    m_grid->LoadCurves(curves);
    CacheStaticItems();

}

void QvChart::FitReactivePowerLabels()
{
    // Eleven labels share the width of the plot: up to three characters
    // ("-10") fit side by side, longer ones ("-32768") only turned upright.
    const auto characters = [](double value) { return QString::number(value, 'f', 0).size(); };
    const qsizetype longest = std::max(characters(m_axisX->min()), characters(m_axisX->max()));
    m_axisX->setLabelsAngle(longest > kUprightLabelCharacters ? -90 : 0);
}

void QvChart::CacheStaticItems()
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

void QvChart::SetScale(QValueAxis* axis, const AxisScale& scale)
{
    axis->setRange(scale.minimum, scale.maximum);
    axis->setTickCount(scale.divisions + 1);
}

}  // namespace tarvilo
