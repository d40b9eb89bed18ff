#include "core/sweep_forecast.h"

#include <cmath>

namespace tarvilo {

SweepForecast ForecastSweeps(const QvInputs &inputs, const QvResults &critical)
{
    constexpr double kLarge = 0x1p100;
    constexpr double kSmall = 0x1p-100;
    const double x = std::abs(inputs.X);
    const double uinf = std::abs(inputs.Uinf);
    const double p = std::abs(inputs.Pcarga);
    const bool inRange = x >= kSmall && x <= kLarge && uinf >= kSmall && uinf <= kLarge && p <= kLarge
            && std::abs(Beq(inputs)) <= kLarge && std::abs(inputs.Qcarga) <= kLarge;
    if (!inRange)
        return SweepForecast::Unknown;

    const double u2 = inputs.Uinf * inputs.Uinf; // as the sweep squares it
    const double qMax = std::abs(critical.Q2crit) + 15; // the largest |q| of the sweep
    const double s = 4 * qMax * x + u2; // bounds |s| and |2 q X| together
    const double noise = 0x1p-40 * (s * s + u2 * u2 + 8 * x * x * p * p + 4 * x * x * qMax * qMax);
    // Passing this also keeps qMax below about 1e11 (Q2crit is near
    // Uinf^2 / 4 X or X Pcarga^2 / Uinf^2), where the k rounded subtractions
    // move q by far less than the 0.05 k they subtract.
    if (!(0.2 * x * u2 > noise))
        return SweepForecast::Unknown;
    return inputs.X > 0 ? SweepForecast::Completes : SweepForecast::FailsAtSecondPoint;
}

} // namespace tarvilo
