#pragma once

#include <QApplication>
#include <QFont>

namespace tarvilo {

// The forms are laid out for a small sans-serif font of about 8 points.
inline QFont FormFont()
{
    return QFont(QStringLiteral("Arial"), 8);
}

// Under a style sheet (-stylesheet) Qt stops a window's font from passing
// to its controls, which take the application's instead: that becomes the
// forms' font then, or their captions would grow past their places.
inline void KeepFormFontUnderStyleSheet()
{
    if (!qApp->styleSheet().isEmpty())
        QApplication::setFont(FormFont());
}

} // namespace tarvilo
