#include "ui/common/first_frame_quit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWindow>

namespace tarvilo {
namespace {

class FirstFrameQuit : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && !m_posted) {
            auto *window = qobject_cast<QWindow *>(watched);
            if (window && window->isExposed()) {
                m_posted = true;
                QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
            }
        }
        return false;
    }

private:
    bool m_posted = false;
};

} // namespace

void QuitAfterFirstFrame(QGuiApplication &application)
{
    application.installEventFilter(new FirstFrameQuit(&application));
}

} // namespace tarvilo
