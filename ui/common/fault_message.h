#pragma once

#include "core/qv_types.h"
#include "core/regional_settings.h"
#include "core/run_fault.h"

#include <QString>

namespace tarvilo {

// What the user is told when a run ends at a fault: what happened, where,
// and which inputs or which folder to look at, in Spanish. The inputs the
// run read, where given, tell a zero apart from a value too small to use.
QString FaultMessage(const RunFault &fault, const RegionalSettings &regional, const QvInputs *inputs = nullptr);

// The same without the opening line: what happened and what to look at.
QString FaultDescription(const RunFault &fault, const RegionalSettings &regional, const QvInputs *inputs = nullptr);

// Why a file could not be written, in Spanish ("el disco está lleno").
QString FileFailureText(FileFailure failure);

} // namespace tarvilo
