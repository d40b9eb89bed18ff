#include "ui/main/diagram_picture.h"

#include <QPaintEvent>
#include <QPainter>

namespace tarvilo {
namespace {

const QColor kBackground(205, 205, 205);

// A filled block given by its first and last pixel, as the layout is drawn.
void Block(QPainter &painter, int x1, int y1, int x2, int y2, const QColor &colour = Qt::black)
{
    painter.fillRect(QRect(QPoint(x1, y1), QPoint(x2, y2)), colour);
}

// Two horizontal lines centred under a lead: 46 pixels, then 18 pixels 8 lower.
void Ground(QPainter &painter, int leadLeft, int y)
{
    const int centreTwice = 2 * leadLeft + 1; // the lead is 2 pixels wide
    Block(painter, (centreTwice - 45) / 2, y, (centreTwice + 45) / 2, y + 1);
    Block(painter, (centreTwice - 17) / 2, y + 8, (centreTwice + 17) / 2, y + 9);
}

// A shunt capacitor hanging from the conductor: lead, two plates, lead, ground.
void ShuntCapacitor(QPainter &painter, int leadLeft, int plateLeft, int plateRight, int upperPlateTop)
{
    const int lowerPlateTop = upperPlateTop + 16;
    Block(painter, leadLeft, 40, leadLeft + 1, upperPlateTop - 1);
    Block(painter, plateLeft, upperPlateTop, plateRight, upperPlateTop + 3);
    Block(painter, plateLeft, lowerPlateTop, plateRight, lowerPlateTop + 3);
    Block(painter, leadLeft, lowerPlateTop + 4, leadLeft + 1, 138);
    Ground(painter, leadLeft, 139);
}

void PaintDiagram(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    Block(painter, 0, 0, kDiagramWidth - 1, kDiagramHeight - 1, kBackground);

    // Conductor, from the source to the load.
    Block(painter, 41, 38, 459, 39);

    // Source: a hollow circle whose right side touches the conductor.
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRect(0, 16, 45, 45).adjusted(0, 0, -1, -1));
    painter.drawEllipse(QRect(1, 17, 43, 43).adjusted(0, 0, -1, -1));

    // Bus 1 and bus 2.
    Block(painter, 79, 0, 82, 78);
    Block(painter, 343, 2, 346, 81);

    // Line reactance: four loops bulging upwards over a white gap in the
    // conductor.
    Block(painter, 152, 37, 261, 41, Qt::white);
    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::FlatCap));
    const int loopWidth = 28;
    for (int loop = 0; loop < 4; ++loop) {
        // Half-ellipses from y 17 down to their centre at y 37: with the
        // 2-pixel pen each loop covers the rows 16 to 36.
        const QRectF bounds(150 + loop * loopWidth + 1, 17, loopWidth - 1, 40);
        painter.drawArc(bounds, 0, 180 * 16);
    }

    // Line charging at both ends of the line, and the compensation capacitor.
    ShuntCapacitor(painter, 120, 87, 157, 92);
    ShuntCapacitor(painter, 301, 268, 338, 93);
    ShuntCapacitor(painter, 407, 390, 425, 93);

    // Load: the conductor turns down into a hollow rectangle, then to ground.
    Block(painter, 458, 40, 459, 56);
    Block(painter, 447, 57, 469, 58);
    Block(painter, 447, 120, 469, 121);
    Block(painter, 447, 57, 448, 121);
    Block(painter, 468, 57, 469, 121);
    Block(painter, 458, 122, 459, 136);
    Ground(painter, 458, 137);
}

} // namespace

QImage DrawDiagramPicture()
{
    QImage image(kDiagramWidth, kDiagramHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    PaintDiagram(painter);
    return image;
}

DiagramView::DiagramView(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("Esquema de la red de dos barras"));
}

QSize DiagramView::sizeHint() const
{
    return { kDiagramWidth, kDiagramHeight };
}

void DiagramView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setClipRegion(event->region());
    PaintDiagram(painter);
}

} // namespace tarvilo
