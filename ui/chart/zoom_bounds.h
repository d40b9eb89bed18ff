#pragma once

#include "ui/chart/axis_ticks.h"

namespace tarvilo {

// The view a zoom may show, given the fitted view: never more than four
// times as wide or tall as the fitted view, nor beyond it by more than one
// and a half of its spans on either side (the voltage never below the
// fitted view's bottom); never so narrow that labels of 15 significant
// digits could no longer tell the ticks apart. The asked view is shrunk or
// widened about its centre, then moved inside.
AxisRanges BoundedZoom(const AxisRanges &asked, const AxisRanges &fitted);

} // namespace tarvilo
