#include "ui/chart/qv_plot.h"

#include "ui/chart/ascii_digits.h"
#include "ui/common/form_font.h"

#include <QBrush>
#include <QGraphicsLayout>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>

namespace tarvilo {
namespace {

const QColor kCurveColours[3] = {QColor(220, 0, 0), QColor(0, 150, 0), QColor(0, 0, 202)};

QFont PlotFont(QvPlot::Look look)
{
    QFont font = FormFont();
    if (look == QvPlot::Look::Large) font.setPointSize(10);
    return font;
}

QPen CosmeticPen(const QColor& colour, qreal width, Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(colour, width, style);
    pen.setCosmetic(true);
    return pen;
}

QScatterSeries* MakePointMark(QScatterSeries::MarkerShape shape, const QColor& fill, qreal size)
{
    auto* series = new QScatterSeries;
    series->setMarkerShape(shape);
    series->setMarkerSize(size);
    series->setBrush(fill);
    series->setPen(QPen(Qt::white, 1.5));
    return series;
}

}  // namespace

QString NameOf(Curve curve)
{
    switch (curve) {
    case Curve::LowerBranch: return QStringLiteral("Rama inferior");
    case Curve::UpperBranch: return QStringLiteral("Rama superior");
    case Curve::LoadCharacteristic: return QStringLiteral("Característica de la carga");
    }
    return {};
}

QString NameOf(Mark mark)
{
    switch (mark) {
    case Mark::UpperPoint: return QStringLiteral("Punto superior");
    case Mark::LowerPoint: return QStringLiteral("Punto inferior");
    case Mark::Nose: return QStringLiteral("Punto crítico");
    case Mark::MinimumVoltage: return QStringLiteral("V2 min");
    case Mark::Margin: return QStringLiteral("Margen Q2");
    }
    return {};
}

QvPlot::QvPlot(Look look, const QLocale& locale, const RegionalSettings& regional) : m_regional(regional), m_look(look)
{
    setAnimationOptions(QChart::NoAnimation);
    setTitle(QStringLiteral("Curvas Q vs. V"));
    QFont titleFont = PlotFont(look);
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
        legend()->setFont(PlotFont(look));
        legend()->setLabelColor(Qt::black);
    }

    QLocale tickLocale = locale;
    tickLocale.setNumberOptions(QLocale::OmitGroupSeparator);
    setLocale(tickLocale);
    setLocalizeNumbers(true);
    if (NeedsAsciiDigits(locale)) m_digits = new AsciiDigitsKeeper(this);

    buildAxes(look);
    buildCurves(look);
    buildMarks(look);
    showCurves(m_grid);

    m_note = new QGraphicsSimpleTextItem(this);
    m_note->setFont(PlotFont(look));
    m_note->setBrush(QColor(150, 0, 0));
    m_note->setZValue(20);
    m_hoverBox = new QGraphicsRectItem(this);
    m_hoverBox->setBrush(QColor(255, 255, 225, 235));
    m_hoverBox->setPen(QPen(QColor(120, 120, 120), 0));
    m_hoverBox->setZValue(30);
    m_hoverBox->hide();
    m_hover = new QGraphicsSimpleTextItem(m_hoverBox);
    m_hover->setFont(PlotFont(look));
    connect(this, &QChart::plotAreaChanged, this, [this] { placeNote(); });
}

void QvPlot::buildAxes(Look look)
{
    const auto make = [look](const QString& title, const QString& labelFormat) {
        auto* axis = new QValueAxis;
        axis->setTitleText(title);
        axis->setTitleFont(PlotFont(look));
        axis->setTitleBrush(Qt::black);
        axis->setLabelsFont(PlotFont(look));
        axis->setLabelsBrush(Qt::black);
        axis->setLabelFormat(labelFormat);
        // Zero-width (one-pixel cosmetic) pens: the default width-1 pens make
        // every grid line work out its outline as a stroked path, on each paint.
        axis->setGridLinePen(QPen(QColor(218, 218, 218), 0));
        axis->setLinePen(QPen(QColor(96, 96, 96), 0));
        return axis;
    };
    m_axisX = make(QStringLiteral("Potencia reactiva en la carga [p.u.]"), QStringLiteral("%.0f"));
    m_axisY = make(QStringLiteral("Tensión en la carga [p.u.]"), QStringLiteral("%.1f"));
    addAxis(m_axisX, Qt::AlignBottom);
    addAxis(m_axisY, Qt::AlignLeft);
    connect(m_axisX, &QValueAxis::rangeChanged, this, [this] { stretchMinimumVoltageLine(); });
}

void QvPlot::buildCurves(Look look)
{
    // Lower branch, upper branch, load characteristic: told apart by colour.
    for (const Curve curve : kCurves) {
        auto* series = new QLineSeries;
        series->setName(NameOf(curve));
        series->setPen(CosmeticPen(kCurveColours[static_cast<int>(curve)], look == Look::Large ? 2 : 1));
        m_curves[static_cast<int>(curve)] = series;
        addSeries(series);
        series->attachAxis(m_axisX);
        series->attachAxis(m_axisY);
    }
}

void QvPlot::buildMarks(Look look)
{
    const qreal size = look == Look::Large ? 11 : 8;
    m_markSeries[static_cast<int>(Mark::UpperPoint)] =
        MakePointMark(QScatterSeries::MarkerShapeCircle, QColor(0, 110, 0), size);
    m_markSeries[static_cast<int>(Mark::LowerPoint)] =
        MakePointMark(QScatterSeries::MarkerShapeCircle, QColor(170, 0, 0), size);
    m_markSeries[static_cast<int>(Mark::Nose)] =
        MakePointMark(QScatterSeries::MarkerShapeRectangle, QColor(230, 120, 0), size);
    auto* minimum = new QLineSeries;
    minimum->setPen(CosmeticPen(QColor(110, 110, 110), 1, Qt::DashLine));
    m_markSeries[static_cast<int>(Mark::MinimumVoltage)] = minimum;
    auto* margin = new QLineSeries;
    margin->setPen(CosmeticPen(QColor(200, 0, 200), look == Look::Large ? 4 : 3));
    m_markSeries[static_cast<int>(Mark::Margin)] = margin;
    for (const Mark which : kMarks) {
        QXYSeries* series = mark(which);
        series->setName(NameOf(which));
        addSeries(series);
        series->attachAxis(m_axisX);
        series->attachAxis(m_axisY);
    }
}

void QvPlot::showCurves(const ChartGrid& grid)
{
    m_grid = grid;
    for (const Curve which : kCurves) curve(which)->replace(m_grid.points(which));
}

void QvPlot::showMarks(const ChartMarks& marks)
{
    m_marks = marks;
    m_hasMarks = true;
    const QList<QPointF> none;
    mark(Mark::UpperPoint)->replace(marks.hasSolution ? QList<QPointF>{marks.upper} : none);
    mark(Mark::LowerPoint)->replace(marks.hasSolution ? QList<QPointF>{marks.lower} : none);
    mark(Mark::Nose)->replace({marks.nose});
    mark(Mark::Margin)->replace({QPointF(marks.marginFrom, marks.nose.y()), marks.nose});
    stretchMinimumVoltageLine();
}

void QvPlot::clearMarks()
{
    m_hasMarks = false;
    for (const Mark which : kMarks) mark(which)->clear();
}

void QvPlot::showKeptCases(const std::vector<KeptCurves>& cases)
{
    // Each case keeps its place while it is kept, so a new case redraws only
    // the three series of the place it takes.
    std::array<bool, kMaxKeptCases> used{};
    for (const KeptCurves& kept : cases) {
        const int slot = kept.serial % kMaxKeptCases;
        used[slot] = true;
        for (const Curve which : kCurves) {
            QLineSeries* series = keptSlot(slot, which);
            if (m_slotSerials[slot] != kept.serial || !series->isVisible()) series->replace(kept.grid.points(which));
            series->setVisible(true);
        }
        m_slotSerials[slot] = kept.serial;
        // The legend names the case once, by its upper branch.
        QLineSeries* named = keptSlot(slot, Curve::UpperBranch);
        if (named->name() != kept.name) named->setName(kept.name);
    }
    for (int slot = 0; slot < kMaxKeptCases; ++slot) {
        if (!m_keptSlots[slot][0]) continue;
        for (QLineSeries* series : m_keptSlots[slot]) series->setVisible(used[slot]);
        for (QLegendMarker* marker : legend()->markers(m_keptSlots[slot][static_cast<int>(Curve::UpperBranch)])) {
            marker->setVisible(used[slot]);
        }
    }
    m_kept = cases;
}

QLineSeries* QvPlot::keptSlot(int slot, Curve curve)
{
    QLineSeries*& series = m_keptSlots[slot][static_cast<int>(curve)];
    if (series) return series;
    series = new QLineSeries;
    QColor faded = kCurveColours[static_cast<int>(curve)];
    faded.setAlpha(85);
    series->setPen(CosmeticPen(faded, m_look == Look::Large ? 2 : 1));
    addSeries(series);
    series->attachAxis(m_axisX);
    series->attachAxis(m_axisY);
    if (curve != Curve::UpperBranch) {
        for (QLegendMarker* marker : legend()->markers(series)) marker->setVisible(false);
    }
    return series;
}

QList<QLineSeries*> QvPlot::keptSeries() const
{
    QList<QLineSeries*> shown;
    for (const auto& slot : m_keptSlots) {
        for (QLineSeries* series : slot) {
            if (series && series->isVisible()) shown << series;
        }
    }
    return shown;
}

void QvPlot::stretchMinimumVoltageLine()
{
    // Across the whole width of the plot, whatever range it shows.
    if (!m_hasMarks) return;
    const double v = m_marks.minimumVoltage;
    mark(Mark::MinimumVoltage)->replace({QPointF(m_axisX->min(), v), QPointF(m_axisX->max(), v)});
}

void QvPlot::prepareTexts()
{
    if (m_digits) m_digits->watchNewTexts();
}

void QvPlot::setNote(const QString& note)
{
    m_note->setText(note);
    m_note->setVisible(!note.isEmpty());
    placeNote();
}

QString QvPlot::note() const { return m_note->isVisible() ? m_note->text() : QString(); }

void QvPlot::placeNote()
{
    const QRectF plot = plotArea();
    m_note->setPos(plot.right() - m_note->boundingRect().width() - 4, plot.top() + 2);
}

void QvPlot::showHover(const QString& text, const QPointF& at)
{
    if (text.isEmpty()) {
        m_hoverBox->hide();
        return;
    }
    m_hover->setText(text);
    m_hover->setPos(4, 3);
    const QSizeF size = m_hover->boundingRect().size() + QSizeF(8, 6);
    m_hoverBox->setRect(QRectF(QPointF(0, 0), size));
    // Beside the cursor, kept inside the chart.
    const QPointF cursor = mapFromScene(at);
    QPointF place = cursor + QPointF(12, 12);
    if (place.x() + size.width() > rect().right()) place.setX(cursor.x() - 12 - size.width());
    if (place.y() + size.height() > rect().bottom()) place.setY(cursor.y() - 12 - size.height());
    m_hoverBox->setPos(place);
    m_hoverBox->show();
}

QString QvPlot::hoverText() const { return m_hoverBox->isVisible() ? m_hover->text() : QString(); }

}  // namespace tarvilo
