#include "ui/common/app_icon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>

namespace tarvilo {
namespace {

QPixmap DrawIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0); // drawn on the SVG's 64-unit grid

    painter.setPen(QPen(QColor(0x5a, 0x5a, 0x5a), 2));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 8, 8);

    painter.setBrush(Qt::NoBrush);
    QPainterPath axes;
    axes.moveTo(12, 10);
    axes.lineTo(12, 52);
    axes.lineTo(56, 52);
    painter.setPen(QPen(QColor(0x3c, 0x3c, 0x3c), 3));
    painter.drawPath(axes);

    QPainterPath upper;
    upper.moveTo(14, 18);
    upper.quadTo(34, 20, 46, 32);
    painter.setPen(QPen(QColor(0, 0x96, 0), 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(upper);
    QPainterPath lower;
    lower.moveTo(14, 46);
    lower.quadTo(34, 44, 46, 32);
    painter.setPen(QPen(QColor(0xdc, 0, 0), 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(lower);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0xca));
    painter.drawEllipse(QPointF(46, 32), 4, 4);
    return pixmap;
}

// Drawn at the size asked for, when it is asked for, and not kept: the
// window system asks for a few sizes once (X11 for 16 to 128 pixels, at the
// window's first showing; offscreen for none), and keeping them would hold
// a tenth of a megabyte for as long as the window is open. Seven sizes drawn
// up front cost a start-up about 5 million instructions.
class AppIconEngine : public QIconEngine
{
public:
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        return DrawIcon(std::max(1, std::min(size.width(), size.height())));
    }

    QIconEngine *clone() const override { return new AppIconEngine; }
};

} // namespace

QIcon AppIcon()
{
    return QIcon(new AppIconEngine);
}

} // namespace tarvilo
