#include "ui/chart/chart_scale.h"

#include <cfenv>
#include <cmath>
#include <cstdint>

namespace tarvilo {

std::optional<AxisScale> ReactivePowerScale(double q2crit)
{
    // nearbyint rounds half to even in the default rounding mode.
    const double rounded = std::nearbyint(q2crit);
    if (!(rounded >= INT16_MIN && rounded <= INT16_MAX))
        return std::nullopt;
    const int n = static_cast<int>(rounded);
    const int maximum = n + 1;
    if (maximum > INT16_MAX)
        return std::nullopt;
    const int minimum = maximum - 10;
    if (minimum < INT16_MIN)
        return std::nullopt;
    return AxisScale{ static_cast<double>(minimum), static_cast<double>(maximum), 10 };
}

std::optional<AxisRanges> RunRanges(double q2crit)
{
    const std::optional<AxisScale> scale = ReactivePowerScale(q2crit);
    if (!scale)
        return std::nullopt;
    return AxisRanges{ scale->minimum, scale->maximum, kVoltageScale.minimum, kVoltageScale.maximum };
}

} // namespace tarvilo
