#pragma once

// The network's equation and the margins' formulas in about 106 bits, shared
// by the operating points, the margins and the goal seek: every term is
// formed from the exact input doubles.

#include "core/compensation.h"
#include "core/double_double.h"
#include "core/qv_types.h"

namespace tarvilo {

// |S| + sign Qcarga without cancellation: where the two have opposite signs it is
// Pcarga^2 / (|S| - sign Qcarga).
inline WideDouble PlusReactive(WideDouble s, WideDouble p, WideDouble q, int sign)
{
    const WideDouble signedQ = sign > 0 ? q : -q;
    if (signedQ.sign() >= 0)
        return s + signedQ;
    return p * p / (s - signedQ);
}

// The network in about 106 bits and its operating points. With
// a = 1 - X Beq, alpha = a X Qcarga / Uinf^2 and beta = a X Pcarga / Uinf^2
// the discriminant of the equation in V2^2 is
//     1 - 4 alpha - 4 beta^2,
// whose terms cancel near the loadability limit (to 1e24 for a load of
// Qcarga / Pcarga = -1e12 there) and which is taken as zero only where its
// rounding could reach it. The roots come without cancellation: the larger
// from 1 - 2 alpha (at least 1/2 where there are roots) plus the root of the
// discriminant, the smaller from their product, X^2 (Pcarga^2 + Qcarga^2) /
// a^2. With a = 0 the equation is linear and both are its one root.
// Needs Uinf not zero.
struct WideNetwork
{
    WideDouble X, P, Q, u2, a, s; // s = |S|
    WideDouble discriminant;
    WideDouble root; // its square root, zero at the nose
    bool hasPoints = false;
    WideDouble yUpper, yLower;

    explicit WideNetwork(const QvInputs &inputs)
        : X(inputs.X),
          P(inputs.Pcarga),
          Q(inputs.Qcarga),
          u2(WideDouble(inputs.Uinf) * inputs.Uinf),
          a(UncompensatedFractionWide(inputs))
    {
        s = Sqrt(P * P + Q * Q);
        const WideDouble alpha = a * X * Q / u2;
        const WideDouble beta = a * X * P / u2;
        const WideDouble fourAlpha = alpha * 4.0;
        const WideDouble fourBeta2 = beta * beta * 4.0;
        discriminant = (WideDouble(1.0) - fourAlpha) - fourBeta2;
        // Rounding: a few 2^-104 of the terms, and the error of a (2^-102 of
        // 1 + |X Qcap| + |X B/2|) times the derivative 4 alpha / a + 8 beta^2 / a.
        WideDouble bound = (WideDouble(1.0) + Abs(fourAlpha) + fourBeta2) * 0x1p-96;
        if (!a.isZero()) {
            const WideDouble scale = WideDouble(1.0) + Abs(X * inputs.Qcap) + Abs(X * (WideDouble(inputs.B) * 0.5));
            bound = bound + scale * (Abs(fourAlpha) + fourBeta2 * 2.0) / Abs(a) * 0x1p-100;
        }
        if (Abs(discriminant) <= bound)
            discriminant = 0.0;
        hasPoints = discriminant.sign() >= 0;
        if (!hasPoints)
            return;
        root = Sqrt(discriminant);
        const WideDouble larger = (WideDouble(1.0) - alpha * 2.0) + root;
        yLower = X * X * (P * P + Q * Q) * 2.0 / (u2 * larger);
        yUpper = a.isZero() || root.isZero() ? yLower : u2 * larger / (a * a * 2.0);
    }
};

// Pmax = Uinf^2 |Pcarga| / (2 X |a| (|S| + sign(a) Qcarga)); needs Pcarga and a not zero.
inline WideDouble WidePmax(const WideNetwork &net)
{
    const WideDouble absP = Abs(net.P);
    return net.u2 * absP / (net.X * Abs(net.a) * 2.0 * PlusReactive(net.s, net.P, net.Q, net.a.sign()));
}

// MargenQ2 = Uinf^2 (2 - a) / (4 X) - a X Pcarga^2 / Uinf^2 - Qcarga.
inline WideDouble WideMarginQ2(const WideNetwork &net)
{
    return (net.u2 * (WideDouble(2.0) - net.a) / (net.X * 4.0) - net.a * net.X * net.P * net.P / net.u2) - net.Q;
}

// MargenQV = Uinf^2 / (4 a X) - a X Pcarga^2 / Uinf^2 - Qcarga; needs a > 0.
inline WideDouble WideMarginQv(const WideNetwork &net)
{
    return (net.u2 / (net.a * net.X * 4.0) - net.a * net.X * net.P * net.P / net.u2) - net.Q;
}

} // namespace tarvilo
