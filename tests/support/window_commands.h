#pragma once

#include "ui/main/main_window.h"

#include <QAction>
#include <QFile>
#include <QLocale>
#include <QPushButton>
#include <QTest>

namespace tarvilo::testing {

// A menu command of a window, by its object name, as a click on it does.
inline void Trigger(QWidget &window, const char *name)
{
    QAction *action = window.findChild<QAction *>(QString::fromLatin1(name));
    QVERIFY2(action, name);
    action->trigger();
}

// "Calcular", clicked.
inline void Calculate(MainWindow &window)
{
    window.findChild<QPushButton *>(QStringLiteral("cmdCalcular"))->click();
}

// A number written with "." as the locale writes it; nothing is grouped.
inline QString Spelt(const QLocale &locale, const char *pointText)
{
    return QString::fromLatin1(pointText).replace(QLatin1Char('.'), locale.decimalPoint());
}

// The bytes of a file; none when it cannot be read.
inline QByteArray FileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace tarvilo::testing
