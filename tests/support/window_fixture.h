#pragma once

#include "ui/main/main_window.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QStringList>
#include <QTemporaryDir>

namespace tarvilo::testing {

inline QLocale PointLocale()
{
    return QLocale::c();
}
inline QLocale CommaLocale()
{
    return QLocale(QLocale::German, QLocale::Germany);
}

inline RegionalSettings RegionalOf(const QLocale &locale)
{
    return { locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString() };
}

// Runs the tests of one program in a temporary folder of its own.
class TemporaryWorkingFolder
{
public:
    TemporaryWorkingFolder() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_folder.path()); }
    ~TemporaryWorkingFolder() { QDir::setCurrent(m_previous); }

    QString path() const { return m_folder.path(); }

private:
    QString m_previous;
    QTemporaryDir m_folder;
};

inline QStringList CurveFileLines()
{
    QFile file(QStringLiteral("salida.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromLatin1(file.readAll());
    if (text.endsWith(QLatin1String("\r\n")))
        text.chop(2);
    return text.split(QStringLiteral("\r\n"));
}

inline QStringList BoxTexts(const MainWindow &window)
{
    QStringList texts;
    for (InputBox box : kInputBoxes)
        texts << window.inputBox(box)->text();
    return texts;
}

inline QStringList LabelTexts(const MainWindow &window)
{
    QStringList texts;
    for (ResultLabel label : kResultLabels)
        texts << window.resultLabel(label)->text();
    return texts;
}

inline void SetInputs(MainWindow &window, const QStringList &texts)
{
    int i = 0;
    for (InputBox box : kInputBoxes)
        window.inputBox(box)->setText(texts.at(i++));
}

} // namespace tarvilo::testing
