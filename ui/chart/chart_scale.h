#pragma once

#include "ui/chart/axis_ticks.h"

#include <optional>

namespace tarvilo {

// A fixed axis scale: no automatic scaling.
struct AxisScale
{
    double minimum = 0.0;
    double maximum = 0.0;
    int divisions = 1;
};

// The voltage axis always runs from 0 to 1.2 per unit in steps of 0.1.
inline constexpr AxisScale kVoltageScale{ 0.0, 1.2, 12 };

// The reactive-power axis around the nose: from n - 9 to n + 1 in ten steps,
// with n = Q2crit rounded half to even. The scale is kept in 16-bit integers,
// so only n from -32759 to 32766 forms one; for any other Q2crit there is no
// scale (nullopt).
std::optional<AxisScale> ReactivePowerScale(double q2crit);

// The main chart's axes for a run: its reactive-power scale and the voltage scale.
std::optional<AxisRanges> RunRanges(double q2crit);

} // namespace tarvilo
