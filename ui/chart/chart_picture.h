#pragma once

#include "core/regional_settings.h"
#include "ui/chart/axis_ticks.h"

#include <QByteArray>
#include <QImage>
#include <QLocale>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <functional>
#include <optional>

class QPainter;

namespace tarvilo {

class StyledChart;
struct ShownCase;

enum class PictureFormat { Png, Svg, Pdf };

// The format a file name asks for by its ending, if it is one of the three.
std::optional<PictureFormat> PictureFormatOf(const QString &fileName);

// The Q-V plot of what the main window shows (curves, marks, kept cases,
// note) on the given ranges, with title, axes and legend, and the caption
// (the case shown) on a line below: an A4 page across, a PNG image tagged
// with the resolution that prints it at that size, or SVG (297 x 210 mm)
// and PDF as vectors. The locale spells the ticks, the regional settings
// the legend's values.
struct PictureSpelling
{
    QLocale locale;
    RegionalSettings regional;
};
QByteArray ChartPicture(const ShownCase &shown, const PictureSpelling &spelling, const AxisRanges &ranges,
                        PictureFormat format, const QString &caption = QString());

// The same as an image, for the clipboard.
QImage ChartImage(const ShownCase &shown, const PictureSpelling &spelling, const AxisRanges &ranges,
                  const QString &caption = QString());

// Any chart the same way: copy makes a new chart in the large look with the
// same curves, marks and ranges, which the picture lays out at the page's
// size and then deletes.
using ChartCopy = std::function<StyledChart *()>;
QByteArray ChartPicture(const ChartCopy &copy, PictureFormat format, const QString &caption = QString());
QImage ChartImage(const ChartCopy &copy, const QString &caption = QString());

// Draws a chart as vectors into target of a painter's device (a page of a
// report): laid out at layoutSize, in its pixels, then scaled to fit target
// with its shape kept. The Q-V plot of what the main window shows likewise.
void DrawChart(const ChartCopy &copy, QPainter &painter, const QRectF &target, const QSizeF &layoutSize);
void DrawQvChart(const ShownCase &shown, const PictureSpelling &spelling, const AxisRanges &ranges, QPainter &painter,
                 const QRectF &target, const QSizeF &layoutSize);

} // namespace tarvilo
