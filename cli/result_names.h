#pragma once

#include "core/batch_row.h"

#include <QString>

namespace tarvilo {

// What the windows call each of a case's numbers: the result labels' titles
// ("V2 sup"), "Margen QV" as "Copiar resultados" names it, and the P-V
// window's "Pmax" and "V2 en Pmax" (its export limit where Pcarga < 0).
QString TitleOf(CaseNumber number, bool exporting);

// Its name in JSON and in batch tables, fixed whatever the window calls it.
const char *KeyOf(CaseNumber number);

// The unit of every number.
inline constexpr const char *kPerUnit = "p.u.";

} // namespace tarvilo
