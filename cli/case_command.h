#pragma once

#include <QString>

namespace tarvilo {

enum class CaseFormat { Text, Json };

// tarvilo --calcular CASO [--formato json]: the case file's run as
// "Calcular" makes it, without a window: "salida.txt" in the current folder,
// the results on standard output. Returns the exit status: 0, 3 without an
// operating point, 1 for a case that cannot be read or calculated (its
// message on standard error).
int RunCaseCommand(const QString &path, CaseFormat format);

} // namespace tarvilo
