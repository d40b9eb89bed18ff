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
// out in the application's font before they take their window's. While one
// of these lives the application's font is the forms' font, so that the
// windows built and shown meanwhile load no second face (half a megabyte at
// start-up). The application's own font, that of menus and message boxes,
// comes back when it ends; Qt then keeps it as set, and a change of the
// desktop's font reaches them at the next start.
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
