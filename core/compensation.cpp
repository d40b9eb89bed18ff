#include "core/compensation.h"

#include <cmath>

namespace tarvilo {

WideDouble UncompensatedFractionWide(const QvInputs &inputs)
{
    // The products are exact in twice the precision; the sum rounds to
    // about 2^-104 of 1 + |X Qcap| + |X B/2|.
    const WideDouble X = inputs.X;
    return (WideDouble(1.0) - X * inputs.Qcap) - X * (WideDouble(inputs.B) * 0.5);
}

double UncompensatedFraction(const QvInputs &inputs)
{
    const double byQcap = inputs.X * inputs.Qcap;
    const double byHalfB = inputs.X * (inputs.B / 2);
    if (!std::isfinite(byQcap) || !std::isfinite(byHalfB))
        return 1.0 - byQcap - byHalfB;
    return UncompensatedFractionWide(inputs).toDouble();
}

} // namespace tarvilo
