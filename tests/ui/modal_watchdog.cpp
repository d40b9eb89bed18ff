#include "modal_watchdog.h"

#include <QAbstractButton>
#include <QApplication>

namespace tarvilo::testing {

ModalWatchdog::ModalWatchdog(QObject* parent) : QObject(parent)
{
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &ModalWatchdog::Poll);
    m_timer.start();
}

void ModalWatchdog::Poll()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    const Seen seen{box->windowTitle(), box->text(), box->icon(), static_cast<int>(box->buttons().size())};
    m_seen.push_back(seen);
    if (onOpen) onOpen(seen);
    box->done(QMessageBox::Ok);
}

}  // namespace tarvilo::testing
