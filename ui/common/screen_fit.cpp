#include "ui/common/screen_fit.h"

#include <QRect>
#include <QScreen>
#include <QSize>
#include <QWidget>

#include <algorithm>

namespace tarvilo {
namespace {

// Room for the window manager's title bar and borders, which a window
// not yet shown does not know.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 40;

} // namespace

QSize RoomOnScreen(const QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return {};
    const QRect available = screen->availableGeometry();
    return { available.width() - kFrameWidth, available.height() - kFrameHeight };
}

void FitWindowToScreen(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QSize room = RoomOnScreen(window);
    // Never below what the controls need: the window's own minimum wins.
    const QSize fitted =
            window->size().boundedTo(room).expandedTo(window->minimumSizeHint()).expandedTo(window->minimumSize());
    if (fitted != window->size())
        window->resize(fitted);

    // Where it would open, frame included: centred over the window it
    // belongs to, or on the screen.
    const QWidget *owner = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    const QPoint centre = owner && owner->isVisible() ? owner->frameGeometry().center() : available.center();
    QRect framed(QPoint(0, 0), fitted + QSize(kFrameWidth, kFrameHeight));
    framed.moveCenter(centre);
    if (available.contains(framed))
        return;
    framed.moveLeft(std::clamp(framed.left(), available.left(),
                               std::max(available.left(), available.right() - framed.width() + 1)));
    framed.moveTop(std::clamp(framed.top(), available.top(),
                              std::max(available.top(), available.bottom() - framed.height() + 1)));
    window->move(framed.topLeft());
}

} // namespace tarvilo
