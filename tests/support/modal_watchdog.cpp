#include "tests/support/modal_watchdog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QTest>

namespace tarvilo::testing {

ModalWatchdog::ModalWatchdog(QObject *parent) : QObject(parent)
{
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &ModalWatchdog::poll);
    m_timer.start();
}

void ModalWatchdog::clear()
{
    m_seen.clear();
    m_expected = 0;
}

void ModalWatchdog::poll()
{
    auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
    if (dialog && dialog->isVisible() && fileToChoose) {
        if (fileToChoose->isEmpty()) {
            dialog->reject();
        } else {
            dialog->selectFile(*fileToChoose);
            static_cast<QDialog *>(dialog)->accept(); // as its own button does
        }
        return;
    }
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    const Seen seen{ box->windowTitle(), box->text(), box->icon(), static_cast<int>(box->buttons().size()) };
    m_seen.push_back(seen);
    if (static_cast<int>(m_seen.size()) > m_expected) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected message box: ") + seen.text), __FILE__, __LINE__);
    }
    if (onOpen)
        onOpen(seen);
    for (QAbstractButton *button : box->buttons()) {
        if (!press.isEmpty() && button->text().remove(QLatin1Char('&')) == press) {
            button->click();
            return;
        }
    }
    box->done(QMessageBox::Ok);
}

} // namespace tarvilo::testing
