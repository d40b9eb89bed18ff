#pragma once

#include <QLabel>
#include <QPalette>

namespace tarvilo::testing {

// Whether a value is drawn as the previous calculation's: in italics, in a
// colour other than its window's text.
inline bool LooksPrevious(const QLabel *label)
{
    const QColor text = label->window()->palette().color(QPalette::WindowText);
    return label->font().italic() && label->palette().color(QPalette::WindowText) != text;
}

} // namespace tarvilo::testing
