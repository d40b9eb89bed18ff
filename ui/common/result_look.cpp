#include "ui/common/result_look.h"

#include "ui/common/value_label.h"

#include <QApplication>
#include <QColor>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QPalette>
#include <QWidget>

#include <algorithm>

namespace tarvilo {
namespace {

// Whether a font has a glyph of its own for each character: the italic
// faces of some fonts lack the Arabic decimal mark, which Qt then draws as a
// box, where the upright face has it.
bool HasEveryCharacter(const QFont &font, const QString &text)
{
    const QFontMetrics metrics(font);
    const QList<uint> characters = text.toUcs4();
    return std::all_of(characters.begin(), characters.end(),
                       [&metrics](uint character) { return metrics.inFontUcs4(character); });
}

} // namespace

ResultLook::ResultLook(QWidget *frame) : QObject(frame), m_frame(frame)
{
    frame->installEventFilter(this);
}

void ResultLook::show(QLabel *label, bool previous)
{
    const auto known =
            std::find_if(m_shown.begin(), m_shown.end(), [label](const Shown &shown) { return shown.label == label; });
    if (known == m_shown.end())
        m_shown.push_back({ label, previous });
    else
        known->previous = previous;
    apply(label, previous);
}

void ResultLook::showValue(QLabel *value, bool previous)
{
    show(value, previous);
    SetValueNote(value, previous ? QStringLiteral("del cálculo anterior") : QString());
}

void ResultLook::apply(QLabel *label, bool previous) const
{
    const QPalette frame = m_frame->palette();
    const QColor text = frame.color(QPalette::WindowText);
    const QColor background = frame.color(QPalette::Window);
    const QColor grey((text.red() + background.red()) / 2, (text.green() + background.green()) / 2,
                      (text.blue() + background.blue()) / 2);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, previous ? grey : text);
    label->setPalette(palette);
    // A style sheet draws labels in its own colour, whatever their palette:
    // only a sheet of the label's own greys it then.
    if (!qApp->styleSheet().isEmpty())
        label->setStyleSheet(previous ? QStringLiteral("color: %1").arg(grey.name()) : QString());
    QFont italic = label->font();
    italic.setItalic(true);
    QFont font = label->font();
    font.setItalic(previous && HasEveryCharacter(italic, label->text()));
    label->setFont(font);
}

bool ResultLook::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_frame && event->type() == QEvent::PaletteChange) {
        for (const Shown &shown : m_shown) {
            if (shown.label)
                apply(shown.label, shown.previous);
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tarvilo
