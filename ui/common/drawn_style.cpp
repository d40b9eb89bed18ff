#include "ui/common/drawn_style.h"

#include <QApplication>
#include <QGroupBox>
#include <QIconEngine>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

#include <algorithm>

namespace tarvilo {
namespace {

constexpr int kGroupBoxTopMargin = 3; // Fusion's room above a group box's frame

// The pixels that round a corner of Fusion's group-box frame, from the
// corner in: their offsets along and down its edges, their grey and alpha.
struct CornerDot
{
    int across;
    int down;
    int grey;
    int alpha;
};
constexpr CornerDot kCornerDots[] = {
    { 0, 0, 39, 13 }, { 1, 0, 93, 52 }, { 2, 0, 108, 52 }, { 0, 1, 98, 57 },
    { 1, 1, 90, 31 }, { 2, 1, 0, 10 },  { 0, 2, 108, 52 }, { 1, 2, 0, 9 },
};

// The extension arrow, two small chevrons in a grey of the buttons' text,
// drawn at whatever size is asked for: across a menu bar, pointing the way
// its text reads; down a tool bar.
class ChevronIconEngine : public QIconEngine
{
public:
    enum class Pointing { Right, Left, Down };

    explicit ChevronIconEngine(Pointing pointing) : m_pointing(pointing) { }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        QColor colour = QApplication::palette().color(mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active,
                                                      QPalette::ButtonText);
        colour.setAlpha(230);
        // Square cells, one pixel each at 16 pixels: "›" three cells wide and
        // five tall, twice, a cell apart.
        static constexpr QPoint kChevron[] = { { 0, 0 }, { 1, 1 }, { 2, 2 }, { 1, 3 }, { 0, 4 } };
        constexpr int kWide = 7;
        constexpr int kTall = 5;
        const int cell = std::max(1, std::min(rect.width(), rect.height()) / 16);
        const bool down = m_pointing == Pointing::Down;
        const QPoint origin = rect.topLeft()
                + QPoint(rect.width() - (down ? kTall : kWide) * cell, rect.height() - (down ? kWide : kTall) * cell)
                        / 2;
        for (const int shift : { 0, 4 }) {
            for (QPoint point : kChevron) {
                point.rx() += shift;
                if (m_pointing == Pointing::Left)
                    point.rx() = kWide - 1 - point.x();
                if (down)
                    point = QPoint(point.y(), point.x());
                painter->fillRect(QRect(origin + point * cell, QSize(cell, cell)), colour);
            }
        }
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QIconEngine *clone() const override { return new ChevronIconEngine(m_pointing); }

private:
    Pointing m_pointing;
};

class DrawnFusionStyle : public QProxyStyle
{
public:
    DrawnFusionStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) { }

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const override
    {
        using Pointing = ChevronIconEngine::Pointing;
        if (icon == SP_ToolBarHorizontalExtensionButton) {
            const Qt::LayoutDirection direction =
                    widget ? widget->layoutDirection() : QGuiApplication::layoutDirection();
            return QIcon(new ChevronIconEngine(direction == Qt::RightToLeft ? Pointing::Left : Pointing::Right));
        }
        if (icon == SP_ToolBarVerticalExtensionButton)
            return QIcon(new ChevronIconEngine(Pointing::Down));
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
        // given the frame's own place. Told apart by the place given, a box
        // without a title is laid out as 6.4 does; every box here has one.
        int top = 0;
        if (const auto *box = qobject_cast<const QGroupBox *>(widget); box && option->rect == box->rect()) {
            const bool titled = box->isCheckable() || !box->title().isEmpty();
            top = kGroupBoxTopMargin
                    + (titled ? std::max(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget),
                                         option->fontMetrics.height())
                              : 0);
        }
        // In runs of pixels, and a few at each corner that round it: far
        // quicker than smoothed rounded rectangles, and alike to the pixel.
        const QRect frame = option->rect.adjusted(1, top + 1, 0, 0);
        const QColor line(117, 117, 117, 50);
        const QColor inner(0, 0, 0, 7);
        painter->save();
        const auto run = [painter, &frame](int x0, int y0, int x1, int y1, const QColor &colour) {
            painter->fillRect(QRect(frame.topLeft() + QPoint(x0, y0), frame.bottomRight() - QPoint(x1, y1)), colour);
        };
        // Edges as offsets from the frame's top left and bottom right corners.
        run(3, 0, 3, frame.height() - 1, line); // top
        run(3, frame.height() - 1, 3, 0, line); // bottom
        run(0, 3, frame.width() - 1, 3, line); // left
        run(frame.width() - 1, 3, 0, 3, line); // right
        run(3, 1, 3, frame.height() - 2, inner);
        run(3, frame.height() - 2, 3, 1, inner);
        run(1, 3, frame.width() - 2, 3, inner);
        run(frame.width() - 2, 3, 1, 3, inner);
        run(2, 2, 2, 2, QColor(0, 0, 0, 3)); // the fill
        for (const CornerDot &dot : kCornerDots) {
            const QColor colour(dot.grey, dot.grey, dot.grey, dot.alpha);
            for (const QPoint &at : { QPoint(frame.left() + dot.across, frame.top() + dot.down),
                                      QPoint(frame.right() - dot.across, frame.top() + dot.down),
                                      QPoint(frame.left() + dot.across, frame.bottom() - dot.down),
                                      QPoint(frame.right() - dot.across, frame.bottom() - dot.down) })
                painter->fillRect(QRect(at, QSize(1, 1)), colour);
        }
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
