#pragma once

#include "core/qv_types.h"
#include "core/regional_settings.h"

#include <string>

namespace tarvilo {

inline constexpr const char *kCurveFileName = "salida.txt";

// The whole text of the curve file: three header lines and one line per
// point, "q2; vu; q2; vl; qcapr; v2" in the "0.00000" pattern, every line
// ended by CR LF.
std::string CurveFileText(const QvCurves &curves, const RegionalSettings &regional);

// Writes the curve file, by default "salida.txt" in the current directory.
// The file is replaced only by a complete new one: a write that fails leaves
// the previous file as it was and throws RunFault at the curve-file step,
// with the file's full path and the reason.
void WriteCurveFile(const QvCurves &curves, const RegionalSettings &regional, const std::string &path = kCurveFileName);

} // namespace tarvilo
