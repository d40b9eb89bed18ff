#pragma once

#include "ui/main/main_window.h"

#include <QAction>
#include <QPushButton>
#include <QTest>

namespace tarvilo::testing {

// A menu command of the window, by its object name, as a click on it does.
inline void Trigger(QWidget &window, const char *name)
{
    QAction *action = window.findChild<QAction *>(QString::fromLatin1(name));
    QVERIFY2(action, name);
    action->trigger();
}

// "Calcular", clicked with the mouse.
inline void Calculate(MainWindow &window)
{
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("cmdCalcular")), Qt::LeftButton);
}

} // namespace tarvilo::testing
