#include "core/qv_model.h"

#include "core/checked.h"

#include <cmath>

namespace tarvilo {

void ComputeCriticalPoint(const QvInputs &inputs, QvResults &results)
{
    RunCheckedStep(RunStep::CriticalPoint, [&] {
        const Checked X = inputs.X;
        const Checked Uinf = inputs.Uinf;
        const Checked Pcarga = inputs.Pcarga;
        const Checked beq = Checked::finite(Beq(inputs));

        results.Q2crit = ((Pow4(Uinf) - 4 * Sq(X) * Sq(Pcarga)) / (4 * Sq(Uinf) * X)).value();
        results.V2crit = Sqrt((Pow4(Uinf) + 4 * Sq(X) * Sq(Pcarga)) / (4 * Sq(Uinf))).value();
        // A generator at bus 2 (Pcarga < 0) or a negative Uinf gives the
        // curves of the positive load, which use Pcarga squared.
        results.V2min = std::abs(((Pcarga * X) / Uinf).value());
        results.MargenQ2 = (Checked(results.Q2crit) - (Checked(inputs.Qcarga) - beq * Sq(results.V2crit))).value();
    });
}

void SweepSystemCharacteristic(const QvInputs &inputs, const QvResults &results, QvCurves &curves)
{
    RunCheckedStep(RunStep::SystemSweep, [&] {
        const Checked X = inputs.X;
        const Checked Uinf = inputs.Uinf;
        const Checked Pcarga = inputs.Pcarga;

        Checked q = results.Q2crit;
        for (int i = 1; i <= kCurvePoints; ++i) {
            curves.q2[i] = q.value();
            const Checked s = 2 * q * X - Sq(Uinf);
            const Checked r = 4 * Sq(X) * (Sq(Pcarga) + Sq(q));
            if (i == 1) {
                // The nose: s^2 - r is zero in exact arithmetic but may come
                // out slightly negative, so its square root is not taken.
                curves.vu[i] = Sqrt((-s) / 2).value();
                curves.vl[i] = curves.vu[i];
            } else {
                const Checked root = Sqrt(Sq(s) - r);
                curves.vu[i] = Sqrt((-s + root) / 2).value();
                curves.vl[i] = Sqrt((-s - root) / 2).value();
            }
            // Subtracted after the writes: q2(i) is i - 1 rounded subtractions
            // of 0.05 from Q2crit, exactly as the published curves have it.
            q = q - 0.05;
        }
    });
}

void SweepLoadCharacteristic(const QvInputs &inputs, QvCurves &curves)
{
    RunCheckedStep(RunStep::LoadSweep, [&] {
        const Checked Qcarga = inputs.Qcarga;
        const Checked beq = Checked::finite(Beq(inputs));

        Checked v = 1.5;
        for (int i = 1; i <= kCurvePoints; ++i) {
            curves.v2[i] = v.value();
            curves.qcapr[i] = (Qcarga - beq * Sq(curves.v2[i])).value();
            v = v - 0.005; // accumulates: v2(300) is 0.005000000000009838
        }
    });
}

} // namespace tarvilo
