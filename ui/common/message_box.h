#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace tarvilo {

// The program's caption for every message box.
inline constexpr const char *kApplicationTitle = "tarvilo";

// A modal message over parent: caption "tarvilo", the icon, the text and one
// OK button. Returns once the user has closed it.
void ShowMessageBox(QWidget *parent, QMessageBox::Icon icon, const QString &text);

} // namespace tarvilo
