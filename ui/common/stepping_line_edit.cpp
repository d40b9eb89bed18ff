#include "ui/common/stepping_line_edit.h"

#include "core/number_stepping.h"
#include "ui/common/regional_locale.h"

#include <QKeyEvent>
#include <QWheelEvent>

#include <optional>

namespace tarvilo {
namespace {

constexpr int kNotch = 120; // a wheel's angle delta for one notch, in eighths of a degree
constexpr long long kPage = 10;

} // namespace

SteppingLineEdit::SteppingLineEdit(const RegionalSettings &regional, QWidget *parent)
    : QLineEdit(parent), m_regional(regional)
{
}

SteppingLineEdit::SteppingLineEdit(const QString &text, const RegionalSettings &regional, QWidget *parent)
    : QLineEdit(text, parent), m_regional(regional)
{
}

bool SteppingLineEdit::step(long long units)
{
    // The core counts the cursor in UTF-8 bytes, the box in UTF-16 units:
    // separators such as the Arabic decimal one differ. It reads ASCII
    // digits; the box keeps the script its digits were typed in.
    const QString shown = text();
    const std::string utf8 = NumberTextOf(shown);
    const auto cursor = NumberTextOf(shown.left(cursorPosition())).size();
    const std::optional<SteppedNumberText> result = StepNumberText(utf8, cursor, units, m_regional);
    if (!result)
        return false;
    const QString steppedText = InDigitsOf(QString::fromStdString(result->text), shown);
    m_stepping = true;
    setText(steppedText);
    m_stepping = false;
    setCursorPosition(
            static_cast<int>(QString::fromUtf8(result->text.data(), static_cast<qsizetype>(result->cursor)).size()));
    emit stepped(steppedText);
    return true;
}

void SteppingLineEdit::keyPressEvent(QKeyEvent *event)
{
    long long units = 0;
    switch (event->key()) {
    case Qt::Key_Up:
        units = 1;
        break;
    case Qt::Key_Down:
        units = -1;
        break;
    case Qt::Key_PageUp:
        units = kPage;
        break;
    case Qt::Key_PageDown:
        units = -kPage;
        break;
    default:
        QLineEdit::keyPressEvent(event);
        return;
    }
    step(units);
    event->accept();
}

void SteppingLineEdit::wheelEvent(QWheelEvent *event)
{
    // Kept in a wider type: one event may carry any angle.
    const long long angle = static_cast<long long>(m_wheelRest) + event->angleDelta().y();
    m_wheelRest = static_cast<int>(angle % kNotch);
    if (const long long notches = angle / kNotch; notches != 0)
        step(notches);
    event->accept();
}

} // namespace tarvilo
