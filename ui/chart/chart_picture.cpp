#include "ui/chart/chart_picture.h"

#include "ui/chart/qv_plot.h"

#include <QBuffer>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <functional>

namespace tarvilo {
namespace {

// An A4 page across, at 96 dots per inch.
const QSizeF kPageSize(1123, 794);

// Lays out a copy of the plot, with a legend, at the page size and hands a
// painter over to draw it into target.
void RenderCopy(const QvPlot& source, const AxisRanges& ranges, QPainter& painter, const QRectF& target)
{
    QGraphicsScene scene;
    auto* plot = new QvPlot(QvPlot::Look::Large, source.locale(), source.regional());
    scene.addItem(plot);
    plot->showCurves(source.grid());
    if (source.hasMarks()) plot->showMarks(source.marks());
    plot->showKeptCases(source.keptCases());
    plot->setNote(source.note());
    ShowRanges(*plot, ranges);
    plot->setGeometry(QRectF(QPointF(0, 0), kPageSize));
    // Once for the plot area, once more for the ticks that follow its size.
    plot->layout()->activate();
    plot->layout()->activate();
    scene.render(&painter, target, QRectF(QPointF(0, 0), kPageSize), Qt::KeepAspectRatio);
}

}  // namespace

std::optional<PictureFormat> PictureFormatOf(const QString& fileName)
{
    const QString lower = fileName.toLower();
    if (lower.endsWith(QLatin1String(".png"))) return PictureFormat::Png;
    if (lower.endsWith(QLatin1String(".svg"))) return PictureFormat::Svg;
    if (lower.endsWith(QLatin1String(".pdf"))) return PictureFormat::Pdf;
    return std::nullopt;
}

QImage ChartImage(const QvPlot& source, const AxisRanges& ranges)
{
    // Twice the page's pixels, so that it stays sharp when printed.
    QImage image((kPageSize * 2).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    RenderCopy(source, ranges, painter, QRectF(QPointF(0, 0), kPageSize));
    return image;
}

QByteArray ChartPicture(const QvPlot& source, const AxisRanges& ranges, PictureFormat format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QString title = source.title();
    switch (format) {
    case PictureFormat::Png:
        ChartImage(source, ranges).save(&buffer, "PNG");
        break;
    case PictureFormat::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(kPageSize.toSize());
        svg.setViewBox(QRectF(QPointF(0, 0), kPageSize));
        svg.setTitle(title);
        QPainter painter(&svg);
        RenderCopy(source, ranges, painter, QRectF(QPointF(0, 0), kPageSize));
        break;
    }
    case PictureFormat::Pdf: {
        QPdfWriter pdf(&buffer);
        // The page in the chart's own pixels, so that its one- and two-pixel
        // lines print as such and not as hairlines of 1/1200 inch.
        pdf.setResolution(96);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageOrientation(QPageLayout::Landscape);
        pdf.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("Tarvilo"));
        QPainter painter(&pdf);
        RenderCopy(source, ranges, painter, QRectF(painter.viewport()));
        break;
    }
    }
    return bytes;
}

}  // namespace tarvilo
