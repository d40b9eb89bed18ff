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

// Qt's line edits, selectable labels and chart texts lay their first text
// out in the application's font, before they take their window's: while one
// of these lives, a window built and shown is so under the forms' font, and
// a start-up loads no second face for nothing (half a megabyte). The
// application's own font, the one of menus and message boxes, comes back
// when it ends.
class FormFontWhileBuilding
{
public:
    FormFontWhileBuilding() : m_applicationFont(QApplication::font()) { QApplication::setFont(FormFont()); }
    ~FormFontWhileBuilding() { QApplication::setFont(m_applicationFont); }
    FormFontWhileBuilding(const FormFontWhileBuilding &) = delete;
    FormFontWhileBuilding &operator=(const FormFontWhileBuilding &) = delete;

private:
    QFont m_applicationFont;
};

} // namespace tarvilo
