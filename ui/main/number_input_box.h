#pragma once

#include "ui/common/stepping_line_edit.h"

namespace tarvilo {

// One of the main window's six input boxes: a stepping number box whose
// text, on any change, is read as the run reads it; a text that is not a
// number becomes "Error". Then it tells that its text changed.
class NumberInputBox : public SteppingLineEdit
{
    Q_OBJECT

public:
    NumberInputBox(const QString &text, const RegionalSettings &regional, QWidget *parent = nullptr);

signals:
    // The text changed and has been checked (it may now be "Error").
    void checkedChange();

private:
    void check();
};

} // namespace tarvilo
