#pragma once

// The lines "Copiar resultados" gives: tab-separated name, value and unit,
// which paste into a spreadsheet.

#include <QString>

namespace tarvilo {

// One line; a value of the previous calculation has a fourth field saying so.
QString ResultLine(const QString &name, const QString &value, const QString &unit, bool previous = false);

} // namespace tarvilo
