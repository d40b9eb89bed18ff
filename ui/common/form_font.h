#pragma once

#include <QApplication>
#include <QGuiApplication>
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

// Gives the application the desktop's font again whenever the desktop
// changes its look while window is open, as Qt does for a font the
// program has not set.
void FollowSystemFont(QWidget &window);

// Builds a form's controls with the forms' font as the application's for
// the while: a text box lays its text out once as it is made, in the
// application's font, before it takes its window's, and that would load
// the system's font and its glyphs at start-up only to throw them away.
// Set through QGuiApplication, which leaves alone the fonts a desktop
// gives to menus, message boxes and tooltips (QApplication::setFont would
// drop them). Qt then takes the application's font for one the program
// chose and no longer follows the desktop's: window does so instead.
template <typename Build>
auto BuildUnderFormFont(QWidget &window, Build build)
{
    const QFont applicationFont = QApplication::font();
    if (applicationFont == FormFont())
        return build();
    QGuiApplication::setFont(FormFont());
    struct GiveBack
    {
        QFont font;
        QWidget &window;
        ~GiveBack()
        {
            QGuiApplication::setFont(font);
            FollowSystemFont(window);
        }
    } giveBack{ applicationFont, window };
    return build();
}

} // namespace tarvilo
