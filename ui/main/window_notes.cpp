#include "ui/main/window_notes.h"

#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QStringList>

namespace tarvilo {
namespace {

bool Fits(const QFontMetrics &metrics, const QSize &room, const QString &text)
{
    const QRect needed = metrics.boundingRect(QRect(0, 0, room.width(), 10000), Qt::TextWordWrap, text);
    return needed.width() <= room.width() && needed.height() <= room.height();
}

} // namespace

WindowNotes::WindowNotes(QLabel *label) : QObject(label), m_label(label)
{
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_label->hide();
}

void WindowNotes::set(Kind kind, const QString &text)
{
    QString &note = m_notes[static_cast<size_t>(kind)];
    if (note == text)
        return;
    note = text;
    show();
}

void WindowNotes::show()
{
    QStringList notes;
    for (const QString &note : m_notes) {
        if (!note.isEmpty())
            notes << note;
    }
    const QString whole = notes.join(QLatin1Char(' '));
    // The form's font while the notes fit in it; a point smaller gives a
    // third line when they come together.
    QFont font = m_label->parentWidget()->font();
    if (!Fits(QFontMetrics(font), m_label->size(), whole))
        font.setPointSizeF(font.pointSizeF() - 1);
    const QFontMetrics metrics(font);
    QString shown = whole;
    if (!Fits(metrics, m_label->size(), shown)) {
        // Word by word from the end, until the rest and "…" fit.
        QStringList words = whole.split(QLatin1Char(' '));
        do {
            words.removeLast();
            shown = words.join(QLatin1Char(' ')) + QStringLiteral(" …");
        } while (words.size() > 1 && !Fits(metrics, m_label->size(), shown));
    }
    m_label->setFont(font);
    m_label->setText(shown);
    m_label->setToolTip(shown == whole ? QString() : whole);
    m_label->setAccessibleName(whole);
    m_label->setVisible(!whole.isEmpty());
}

} // namespace tarvilo
