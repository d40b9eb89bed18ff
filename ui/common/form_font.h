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

// Builds a form's controls with the forms' font as the application's for
// the while: a text box lays its text out once as it is made, in the
// application's font, before it takes its window's, and that would load
// the system's font at start-up only to be thrown away. The application's
// font is given back after (from then on it counts as set by the program).
template <typename Build>
auto BuildUnderFormFont(Build build)
{
    const QFont applicationFont = QApplication::font();
    if (applicationFont == FormFont())
        return build();
    QApplication::setFont(FormFont());
    struct GiveBack
    {
        QFont font;
        ~GiveBack() { QApplication::setFont(font); }
    } giveBack{ applicationFont };
    return build();
}

} // namespace tarvilo
