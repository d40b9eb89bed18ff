#pragma once

#include "core/regional_settings.h"

#include <QLineEdit>

namespace tarvilo {

// A box for a number that Up and Down step by one unit of the digit left of
// the cursor, Page Up and Page Down by ten, and the wheel by one a notch (a
// wheel that turns in parts of a notch adds them up). A text that is not a
// number, or a step beyond the largest number, is left as it is.
class SteppingLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit SteppingLineEdit(const RegionalSettings &regional, QWidget *parent = nullptr);
    SteppingLineEdit(const QString &text, const RegionalSettings &regional, QWidget *parent = nullptr);

    // Steps by units of the digit left of the cursor; false when the text
    // cannot step.
    bool step(long long units);

signals:
    // After each step, with the new text.
    void stepped(const QString &text);

protected:
    // True while a step sets the text: a text that a step gave is a number
    // by the input rule and within range, so its change needs no check.
    bool isStepping() const { return m_stepping; }
    const RegionalSettings &regional() const { return m_regional; }

    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    RegionalSettings m_regional;
    bool m_stepping = false;
    int m_wheelRest = 0; // eighths of a degree short of a notch, kept for the next turn
};

} // namespace tarvilo
