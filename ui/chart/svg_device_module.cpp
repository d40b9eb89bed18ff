// The module that holds Qt's SVG writer, loaded by the program when it
// first writes an SVG picture (svg_device.cpp).
#include <QIODevice>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QSvgGenerator>

extern "C" Q_DECL_EXPORT QPaintDevice *tarviloMakeSvgDevice(QIODevice *output, const QSizeF *page, const QString *title)
{
    auto *svg = new QSvgGenerator;
    svg->setOutputDevice(output);
    svg->setSize(page->toSize());
    svg->setResolution(96); // the page's own pixels: fonts keep their size
    svg->setViewBox(QRectF(QPointF(0, 0), *page));
    svg->setTitle(*title);
    return svg;
}
