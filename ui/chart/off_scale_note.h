#pragma once

#include "core/regional_settings.h"
#include "ui/chart/axis_ticks.h"
#include "ui/chart/chart_grid.h"

#include <QString>

namespace tarvilo {

// Why a plot on fixed axes shows no curve: where each curve lies instead
// ("sistema: por encima de V = 1,2"), in a few short lines. Empty when a
// point of some curve lies within the ranges.
QString OffScaleNote(const ChartGrid &grid, const AxisRanges &ranges, const RegionalSettings &regional);

} // namespace tarvilo
