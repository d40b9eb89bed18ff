#include "ui/chart/chart_picture.h"

#include "ui/chart/qv_chart.h"
#include "ui/chart/shown_case.h"
#include "ui/chart/svg_device.h"

#include <QBuffer>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QXYSeries>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>

#include <functional>
#include <memory>

namespace tarvilo {
namespace {

// An A4 page across, at 96 dots per inch.
const QSizeF kPageSize(1123, 794);
const QSizeF kPageMillimetres(297, 210);
constexpr int kImageScale = 2; // image pixels per page pixel
// The line under the plot that says which case it shows.
constexpr qreal kCaptionHeight = 26;

// Lays out the chart, with its caption below, at the page size and hands a
// painter over to draw it into target. The scene takes the chart.
void RenderCopy(StyledChart *plot, const QString &caption, QPainter &painter, const QRectF &target,
                bool penWidthsInPagePixels = false, const QSizeF &pageSize = kPageSize)
{
    QGraphicsScene scene;
    scene.addItem(plot);
    QSizeF plotSize = pageSize;
    if (!caption.isEmpty()) {
        plotSize.rheight() -= kCaptionHeight;
        QGraphicsSimpleTextItem *line = scene.addSimpleText(caption, plot->lookFont());
        line->setBrush(Qt::black);
        // Long cases shrink to the page's width rather than run off it.
        const qreal room = pageSize.width() - 24;
        const qreal width = line->boundingRect().width();
        if (width > room)
            line->setScale(room / width);
        const qreal height = line->boundingRect().height() * line->scale();
        line->setPos(12, plotSize.height() + (kCaptionHeight - height) / 2);
    }
    if (penWidthsInPagePixels) {
        // Screen lines are one device pixel wide whatever the scale: on an
        // image of twice the page's pixels they would be half as wide as on
        // the PDF.
        for (QAbstractSeries *series : plot->series()) {
            if (auto *line = qobject_cast<QXYSeries *>(series)) {
                QPen pen = line->pen();
                pen.setCosmetic(false);
                line->setPen(pen);
            }
        }
    }
    plot->setGeometry(QRectF(QPointF(0, 0), plotSize));
    // Once for the plot area, once more for the ticks that follow its size.
    plot->layout()->activate();
    plot->layout()->activate();
    scene.render(&painter, target, QRectF(QPointF(0, 0), pageSize), Qt::KeepAspectRatio);
}

// The Q-V plot with a legend, on the given ranges.
ChartCopy QvCopy(const ShownCase &shown, const PictureSpelling &spelling, const AxisRanges &ranges)
{
    return [&shown, &spelling, ranges]() -> StyledChart * {
        auto *plot = new QvChart(QvChart::Look::Large, spelling.locale, spelling.regional);
        plot->showCurves(shown.grid);
        if (shown.marks)
            plot->showMarks(*shown.marks);
        plot->showKeptCases(shown.kept);
        plot->setNote(shown.note);
        ShowRanges(*plot, ranges);
        return plot;
    };
}

// The first width and height in millimetres (those of the svg element) set
// to the A4 page's.
QByteArray SvgOnPage(QByteArray svg)
{
    const QRegularExpression size(QStringLiteral(R"(width="[0-9.]+mm" height="[0-9.]+mm")"));
    const QString text = QString::fromUtf8(svg);
    const QRegularExpressionMatch match = size.match(text);
    if (!match.hasMatch())
        return svg;
    const QString page = QStringLiteral(R"(width="%1mm" height="%2mm")")
                                 .arg(kPageMillimetres.width())
                                 .arg(kPageMillimetres.height());
    return (text.left(match.capturedStart()) + page + text.mid(match.capturedEnd())).toUtf8();
}

} // namespace

std::optional<PictureFormat> PictureFormatOf(const QString &fileName)
{
    const QString lower = fileName.toLower();
    if (lower.endsWith(QLatin1String(".png")))
        return PictureFormat::Png;
    if (lower.endsWith(QLatin1String(".svg")))
        return PictureFormat::Svg;
    if (lower.endsWith(QLatin1String(".pdf")))
        return PictureFormat::Pdf;
    return std::nullopt;
}

QImage ChartImage(const ShownCase &shown, const PictureSpelling &spelling, const AxisRanges &ranges,
                  const QString &caption)
{
    return ChartImage(QvCopy(shown, spelling, ranges), caption);
}

QByteArray ChartPicture(const ShownCase &shown, const PictureSpelling &spelling, const AxisRanges &ranges,
                        PictureFormat format, const QString &caption)
{
    return ChartPicture(QvCopy(shown, spelling, ranges), format, caption);
}

QImage ChartImage(const ChartCopy &copy, const QString &caption)
{
    // Twice the page's pixels, so that it stays sharp when printed, and
    // tagged so that it prints across an A4 page (about 192 dots per inch)
    // with its lines as wide as on the PDF.
    QImage image((kPageSize * kImageScale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(kImageScale);
    image.setDotsPerMeterX(qRound(image.width() * 1000 / kPageMillimetres.width()));
    image.setDotsPerMeterY(qRound(image.height() * 1000 / kPageMillimetres.height()));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    RenderCopy(copy(), caption, painter, QRectF(QPointF(0, 0), kPageSize), true);
    return image;
}

void DrawChart(const ChartCopy &copy, QPainter &painter, const QRectF &target, const QSizeF &layoutSize)
{
    RenderCopy(copy(), QString(), painter, target, false, layoutSize);
}

void DrawQvChart(const ShownCase &shown, const PictureSpelling &spelling, const AxisRanges &ranges, QPainter &painter,
                 const QRectF &target, const QSizeF &layoutSize)
{
    DrawChart(QvCopy(shown, spelling, ranges), painter, target, layoutSize);
}

QByteArray ChartPicture(const ChartCopy &copy, PictureFormat format, const QString &caption)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    switch (format) {
    case PictureFormat::Png:
        ChartImage(copy, caption).save(&buffer, "PNG");
        break;
    case PictureFormat::Svg: {
        std::unique_ptr<StyledChart> plot(copy());
        const std::unique_ptr<QPaintDevice> svg = MakeSvgDevice(&buffer, kPageSize, plot->title());
        {
            QPainter painter(svg.get());
            RenderCopy(plot.release(), caption, painter, QRectF(QPointF(0, 0), kPageSize));
        }
        // The generator gives whole pixels at 96 dpi (297.127 mm across):
        // the page's own size instead, the drawing scaled by its view box.
        buffer.close();
        bytes = SvgOnPage(bytes);
        break;
    }
    case PictureFormat::Pdf: {
        StyledChart *plot = copy();
        QPdfWriter pdf(&buffer);
        // The page in the chart's own pixels, so that its one- and two-pixel
        // lines print as such and not as hairlines of 1/1200 inch.
        pdf.setResolution(96);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageOrientation(QPageLayout::Landscape);
        pdf.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        pdf.setTitle(plot->title());
        pdf.setCreator(QStringLiteral("Tarvilo"));
        QPainter painter(&pdf);
        RenderCopy(plot, caption, painter, QRectF(painter.viewport()));
        break;
    }
    }
    return bytes;
}

} // namespace tarvilo
