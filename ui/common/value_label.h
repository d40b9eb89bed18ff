#pragma once

#include <QString>

class QLabel;

namespace tarvilo {

// A label that shows a result next to its title: screen readers hear the
// title and the value the label holds at that moment ("V2 sup [p.u.]:
// 0,9991" for ",9991"), with the text alone as its value, and a note after it where
// one is set ("del cálculo anterior").
void MakeValueLabel(QLabel *label, const QString &title);

// Sets the note read after the value; "" for none. Tells screen readers.
void SetValueNote(QLabel *label, const QString &note);

// Tells screen readers that the label's value has changed.
void TellValueChanged(QLabel *label);

// Lets the mouse select the label's text to copy it, as
// Qt::TextSelectableByMouse does, from the moment the pointer first comes
// over it: the text document that selection needs is made then, not for
// every value at start-up.
void MakeSelectableByMouse(QLabel *label);

} // namespace tarvilo
