#include "ui/common/form_font.h"

#include <QEvent>
#include <QFontDatabase>
#include <QWidget>

namespace tarvilo {
namespace {

class SystemFontFollower : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::ThemeChange)
            QGuiApplication::setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
        return false;
    }
};

} // namespace

void FollowSystemFont(QWidget &window)
{
    window.installEventFilter(new SystemFontFollower(&window));
}

} // namespace tarvilo
