#pragma once

#include <QPaintDevice>
#include <QSizeF>
#include <QString>

#include <memory>
#include <stdexcept>

class QIODevice;

namespace tarvilo {

// Qt's SVG writer lives in a module of the program's own, loaded by the
// first SVG picture: a start-up that writes none does not load Qt SVG.

// An SVG picture that cannot be made, with what the user is told.
class SvgUnavailable : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A painter's device that writes an SVG drawing of page pixels (96 dots per
// inch) with the title to output. Throws SvgUnavailable when the module is
// missing or unusable.
std::unique_ptr<QPaintDevice> MakeSvgDevice(QIODevice *output, const QSizeF &page, const QString &title);

} // namespace tarvilo
