#pragma once

#include "ui/chart/chart_picture.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>
#include <utility>

class QAction;
class QWidget;

namespace tarvilo {

// What a chart's pictures show: the image for the clipboard and a file's
// bytes in the format asked for.
struct ChartPictures
{
    std::function<QImage()> image;
    std::function<QByteArray(PictureFormat)> picture;
    QString suggestedName; // "tarvilo-familia.png"
};

// Pictures of a chart through copy (see ChartPicture), with the caption
// that caption() gives at the time of the command.
ChartPictures PicturesOf(ChartCopy copy, std::function<QString()> caption, const QString &suggestedName);

// Gives a chart view the context menu "&Copiar imagen" / "&Guardar imagen...":
// the image to the clipboard, or the picture as PNG, SVG or PDF (by the
// name's ending) to a file chosen, written whole or not at all; a failure,
// even of memory for the picture, is told. The two actions, to be enabled
// or not by the caller.
std::pair<QAction *, QAction *> GivePictureMenu(QWidget *view, ChartPictures pictures);

// Runs a picture or export command; a failure (no memory left for the
// picture, no SVG writer) is told over parent, and the window goes on.
void RunTold(QWidget *parent, const std::function<void()> &command);

} // namespace tarvilo
