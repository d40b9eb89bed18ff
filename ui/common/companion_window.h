#pragma once

#include "ui/common/app_icon.h"
#include "ui/common/form_font.h"

#include <QString>
#include <QWidget>

namespace tarvilo {

// A window opened from the main one (the large chart, the family, the P-V
// curve): its name, caption, the program's icon and font; gone once closed.
inline void SetUpCompanionWindow(QWidget *window, const QString &objectName, const QString &title)
{
    window->setObjectName(objectName);
    window->setWindowTitle(title);
    window->setWindowIcon(AppIcon());
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setFont(FormFont());
}

} // namespace tarvilo
