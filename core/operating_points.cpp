#include "core/operating_points.h"

#include "core/checked.h"

namespace tarvilo {

void SolveOperatingPoints(const QvInputs &inputs, QvResults &results)
{
    RunCheckedStep(RunStep::OperatingPoints, [&] {
        const Checked X = inputs.X;
        const Checked Uinf = inputs.Uinf;
        const Checked Pcarga = inputs.Pcarga;
        const Checked Qcarga = inputs.Qcarga;
        const Checked beq = Checked::finite(Beq(inputs));

        const Checked k2 = Sq((beq * X) / Uinf) + (1 - (2 * X) * beq) / Sq(Uinf);
        const Checked k1 = ((-beq) * Qcarga * 2 * Sq(X)) / Sq(Uinf) + (2 * X * Qcarga) / Sq(Uinf) - 1;
        const Checked k0 = Sq((Pcarga * X) / Uinf) + Sq((Qcarga * X) / Uinf);

        const Checked discriminant = Sq(k1) - (4 * k2) * k0;
        results.Discriminant = discriminant.value();
        results.HasSolution = results.Discriminant >= 0.0;
        if (!results.HasSolution)
            return;

        const Checked y1 = (-k1 + Sqrt(discriminant)) / (2 * k2);
        const Checked y2 = (-k1 - Sqrt(discriminant)) / (2 * k2);
        results.V2sup = Sqrt(y1).value();
        results.V2inf = Sqrt(y2).value();
        results.Q2sup = (Qcarga - beq * Sq(results.V2sup)).value();
        results.Q2inf = (Qcarga - beq * Sq(results.V2inf)).value();
    });
}

} // namespace tarvilo
