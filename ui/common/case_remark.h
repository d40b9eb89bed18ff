#pragma once

#include "core/qv_types.h"
#include "core/regional_settings.h"
#include "core/run_fault.h"

#include <QString>

#include <optional>

namespace tarvilo {

// What a run says when the characteristics do not cross.
inline constexpr const char *kNoSolutionText = "No existe punto solucion";

// Why a case in a table lacks numbers, or why its numbers describe no real
// network, in Spanish; empty when there is nothing to say.
QString CaseRemark(const QvInputs &inputs, const std::optional<RunFault> &fault, bool hasSolution,
                   const RegionalSettings &regional);

} // namespace tarvilo
