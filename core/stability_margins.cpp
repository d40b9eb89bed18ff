#include "core/stability_margins.h"

#include "core/margin_terms.h"

#include <cmath>

namespace tarvilo {
namespace {

MarginValue Absent(MarginAbsence absence)
{
    MarginValue value;
    value.absence = absence;
    return value;
}

MarginValue Rounded(WideDouble value)
{
    const double rounded = value.toDouble();
    if (!std::isfinite(rounded))
        return Absent(MarginAbsence::TooLarge);
    return MarginValue{ rounded, std::nullopt };
}

// F'(y) at the upper (+1) or lower (-1) point.
PointMargins AtPoint(const WideNetwork &net, WideDouble y, int branch)
{
    PointMargins point;
    const WideDouble v = Sqrt(y);
    point.voltage = Rounded(v);
    if (y.isZero()) {
        point.dV2dQcarga = point.dV2dPcarga = point.indexL = Absent(MarginAbsence::ZeroVoltage);
        return point;
    }
    if (net.a.isZero()) {
        // One point, where F'(y) = -Uinf^2.
        const WideDouble slope = -net.u2;
        point.dV2dQcarga = Rounded(-net.X * (net.X * net.Q) / (v * slope));
        point.dV2dPcarga = Rounded(-net.X * net.X * net.P / (v * slope));
        point.indexL = Absent(MarginAbsence::OverCompensated);
        return point;
    }
    if (net.root.isZero()) {
        point.dV2dQcarga = Absent(MarginAbsence::AtNose);
        point.dV2dPcarga = Absent(MarginAbsence::AtNose);
    } else {
        const WideDouble slope = branch > 0 ? net.u2 * net.root : -(net.u2 * net.root);
        // a y + X Qcarga: at the upper point Uinf^2 (1 + root) / (2 a), free of cancellation.
        const WideDouble drop =
                branch > 0 ? net.u2 * (WideDouble(1.0) + net.root) / (net.a * 2.0) : net.a * y + net.X * net.Q;
        point.dV2dQcarga = Rounded(-net.X * drop / (v * slope));
        point.dV2dPcarga = Rounded(-net.X * net.X * net.P / (v * slope));
    }
    if (net.a.sign() < 0)
        point.indexL = Absent(MarginAbsence::OverCompensated);
    else if (net.s.isZero())
        point.indexL = MarginValue{ 0.0, std::nullopt };
    else
        point.indexL = Rounded(net.X * net.s / (net.a * y));
    return point;
}

} // namespace

StabilityMargins ComputeStabilityMargins(const QvInputs &inputs)
{
    StabilityMargins margins;
    const bool finite = std::isfinite(inputs.X) && std::isfinite(inputs.B) && std::isfinite(inputs.Uinf)
            && std::isfinite(inputs.Pcarga) && std::isfinite(inputs.Qcarga) && std::isfinite(inputs.Qcap);
    if (!finite || !(inputs.X > 0) || inputs.Uinf == 0) {
        const MarginValue none = Absent(finite ? MarginAbsence::NoLine : MarginAbsence::TooLarge);
        margins.activeMargin = margins.activeMarginPercent = margins.voltageDistance = none;
        margins.upper = PointMargins{ none, none, none, none };
        margins.lower = margins.upper;
        return margins;
    }
    const WideNetwork net(inputs);

    if (inputs.Pcarga == 0) {
        margins.activeMargin = margins.activeMarginPercent = Absent(MarginAbsence::NoLoad);
    } else if (net.a.isZero()) {
        margins.activeMargin = margins.activeMarginPercent = Absent(MarginAbsence::NoNose);
    } else {
        const WideDouble absP = Abs(net.P);
        const WideDouble margin = WidePmax(net) - absP;
        margins.activeMargin = Rounded(margin);
        margins.activeMarginPercent = Rounded(margin * 100.0 / absP);
    }

    if (!net.hasPoints) {
        const MarginValue none = Absent(MarginAbsence::NoOperatingPoint);
        margins.voltageDistance = none;
        margins.upper = PointMargins{ none, none, none, none };
        margins.lower = margins.upper;
        return margins;
    }
    // V2crit^2 = Uinf^2 / 4 + X^2 Pcarga^2 / Uinf^2.
    const WideDouble vCrit = Sqrt(net.u2 * 0.25 + net.X * net.X * net.P * net.P / net.u2);
    margins.voltageDistance = Rounded(Sqrt(net.yUpper) - vCrit);
    margins.upper = AtPoint(net, net.yUpper, +1);
    if (net.a.isZero()) {
        const MarginValue none = Absent(MarginAbsence::OnePoint);
        margins.lower = PointMargins{ none, none, none, none };
    } else {
        margins.lower = AtPoint(net, net.yLower, -1);
    }
    return margins;
}

} // namespace tarvilo
