#include "ui/common/message_box.h"

namespace tarvilo {

void ShowMessageBox(QWidget *parent, QMessageBox::Icon icon, const QString &text)
{
    QMessageBox box(icon, QString::fromLatin1(kApplicationTitle), text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace tarvilo
