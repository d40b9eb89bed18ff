#pragma once

#include "core/per_unit.h"
#include "core/qv_types.h"
#include "core/regional_settings.h"
#include "core/run_host.h"

#include <QString>

#include <array>
#include <iterator>
#include <optional>

namespace tarvilo {

// What "Copiar resultados" adds for a case whose inputs came from physical
// data: a line naming the bases, then the six inputs and the results in
// physical units (voltages in kV, active powers in MW, reactive powers in
// Mvar, X in ohm, B in microsiemens), as tab-separated lines of name, value
// and unit; a result the last run did not reach is marked as the per-unit
// lines mark it.
QString PhysicalResultsTable(const PhysicalBases &bases,
                             const std::array<std::optional<double>, std::size(kInputBoxes)> &inputs,
                             const QvInputs &resultInputs,
                             const std::array<std::optional<double>, std::size(kResultLabels)> &values,
                             const std::array<bool, std::size(kResultLabels)> &writtenByLastRun,
                             const RegionalSettings &regional);

} // namespace tarvilo
