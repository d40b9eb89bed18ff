#include "core/qv_method_margin.h"

#include "core/compensation.h"

#include <cmath>

namespace tarvilo {

QvMethodMargin ComputeQvMethodMargin(const QvInputs &inputs)
{
    QvMethodMargin margin;
    if (!(inputs.X > 0) || inputs.Uinf == 0)
        return margin;
    const double a = UncompensatedFraction(inputs);
    if (!(a > 0)) {
        margin.kind = QvMethodMargin::Kind::Unbounded;
        return margin;
    }
    const double u2 = inputs.Uinf * inputs.Uinf;
    const double xp = inputs.X * inputs.Pcarga;
    const double atNose = u2 / (4 * a * inputs.X);
    const double loadDrop = a * inputs.X * inputs.Pcarga * inputs.Pcarga / u2;
    // The two largest terms first: their difference is exact when they are close.
    margin.value = (atNose - loadDrop) - inputs.Qcarga;
    margin.voltage = std::sqrt(u2 / (4 * a * a) + xp * xp / u2);
    const bool finite = std::isfinite(margin.value) && std::isfinite(margin.voltage) && std::isfinite(atNose)
            && std::isfinite(loadDrop);
    margin.kind = finite ? QvMethodMargin::Kind::Maximum : QvMethodMargin::Kind::TooLarge;
    return margin;
}

} // namespace tarvilo
