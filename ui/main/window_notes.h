#pragma once

#include <QObject>
#include <QString>

#include <array>

class QLabel;

namespace tarvilo {

// The notes the main window gives without a message box, in one label above
// "Resultados": what a run started by a step found (no operating point, a
// fault), the curve file that could not be written, a box read otherwise
// than it looks. They stand in that order in at most the label's lines; what
// does not fit ends in "…" and shows whole in the tooltip.
class WindowNotes : public QObject
{
public:
    enum class Kind { Run, CurveFile, Reading };

    // Belongs to the label, which it hides until a note comes.
    explicit WindowNotes(QLabel *label);

    // "" takes the note away.
    void set(Kind kind, const QString &text);
    const QString &text(Kind kind) const { return m_notes[static_cast<size_t>(kind)]; }

private:
    void show();

    QLabel *m_label;
    std::array<QString, 3> m_notes;
};

} // namespace tarvilo
