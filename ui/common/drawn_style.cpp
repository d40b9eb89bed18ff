#include "ui/common/drawn_style.h"

#include <QApplication>
#include <algorithm>
#include <QGroupBox>
#include <QIconEngine>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace tarvilo {
namespace {

constexpr int kGroupBoxTopMargin = 3; // Fusion's room above a group box's frame

// The extension arrow, two small chevrons in the text's colour, drawn at
// whatever size is asked for.
class ChevronIconEngine : public QIconEngine
{
public:
    explicit ChevronIconEngine(Qt::Orientation orientation) : m_orientation(orientation) { }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        const QPalette palette = QApplication::palette();
        const QColor colour =
                palette.color(mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active, QPalette::ButtonText);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(colour, std::max(1.0, rect.height() / 8.0)));
        painter->translate(rect.center() + QPointF(0.5, 0.5));
        if (m_orientation == Qt::Vertical)
            painter->rotate(90);
        const qreal half = std::min(rect.width(), rect.height()) / 4.0;
        for (const qreal shift : { -half / 2, half / 2 }) {
            const QPointF points[] = { { shift - half / 2, -half },
                                       { shift + half / 2, 0 },
                                       { shift - half / 2, half } };
            painter->drawPolyline(points, 3);
        }
        painter->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QIconEngine *clone() const override { return new ChevronIconEngine(m_orientation); }

private:
    Qt::Orientation m_orientation;
};

class DrawnFusionStyle : public QProxyStyle
{
public:
    DrawnFusionStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) { }

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const override
    {
        if (icon == SP_ToolBarHorizontalExtensionButton)
            return QIcon(new ChevronIconEngine(Qt::Horizontal));
        if (icon == SP_ToolBarVerticalExtensionButton)
            return QIcon(new ChevronIconEngine(Qt::Vertical));
        return QProxyStyle::standardIcon(icon, option, widget);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        if (element != PE_FrameGroupBox) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        // As Fusion draws it: below the title, a rounded grey line, a faint
        // darker one inside it and a fainter fill, all seen through, over
        // whatever the window's colour. Fusion of Qt 6.4 is given the whole
        // box and lays the frame out below the title itself; later ones are
        // given the frame's own place.
        int top = 0;
        if (const auto *box = qobject_cast<const QGroupBox *>(widget); box && option->rect == box->rect()) {
            const bool titled = box->isCheckable() || !box->title().isEmpty();
            top = kGroupBoxTopMargin
                    + (titled ? std::max(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget),
                                         option->fontMetrics.height())
                              : 0);
        }
        const QRectF frame = QRectF(option->rect.adjusted(1, top + 1, 0, 0)).adjusted(0.5, 0.5, -0.5, -0.5);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QColor(117, 117, 117, 50));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(frame, 2, 2);
        painter->setPen(QColor(0, 0, 0, 7));
        painter->drawRoundedRect(frame.adjusted(1, 1, -1, -1), 1, 1);
        painter->fillRect(frame.adjusted(1.5, 1.5, -1.5, -1.5), QColor(0, 0, 0, 3));
        painter->restore();
    }
};

} // namespace

void UseDrawnFusionPictures()
{
    if (!qApp->styleSheet().isEmpty()
        || QApplication::style()->name().compare(QStringLiteral("fusion"), Qt::CaseInsensitive) != 0)
        return;
    QApplication::setStyle(new DrawnFusionStyle);
}

} // namespace tarvilo
