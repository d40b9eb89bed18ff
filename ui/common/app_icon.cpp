#include "ui/common/app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

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

} // namespace

QIcon AppIcon()
{
    QIcon icon;
    for (int size : { 16, 24, 32, 48, 64, 128, 256 })
        icon.addPixmap(DrawIcon(size));
    return icon;
}

} // namespace tarvilo
