#include "core/goal_seek.h"

#include "core/margin_terms.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

namespace tarvilo {
namespace {

using W = WideDouble;

// The values of the input that reach the target, or why none does.
struct Candidates
{
    std::optional<GoalFailure> failure;
    std::vector<W> values;
    W bound;
    std::optional<W> boundInput;
};

Candidates Fails(GoalFailure failure)
{
    Candidates none;
    none.failure = failure;
    return none;
}

Candidates OutOfReach(GoalFailure side, W bound, std::optional<W> boundInput = std::nullopt)
{
    Candidates none;
    none.failure = side;
    none.bound = bound;
    none.boundInput = boundInput;
    return none;
}

Candidates Reached(std::vector<W> values)
{
    Candidates found;
    found.values = std::move(values);
    return found;
}

bool IsZero(W x)
{
    return x.isZero();
}

// The positive root of c x^2 + m x - k = 0 with c >= 0, k > 0, in the form that
// does not cancel; none where c = 0 and m <= 0.
std::optional<W> PositiveRoot(W c, W m, W k)
{
    if (IsZero(c)) {
        if (m.sign() <= 0)
            return std::nullopt;
        return k / m;
    }
    const W root = Sqrt(m * m + c * k * 4.0);
    if (m.sign() >= 0)
        return k * 2.0 / (m + root);
    return (root - m) / (c * 2.0);
}

// ---- Qcap and B: every target through a = 1 - X Beq; the candidates are Beq.

Candidates BeqFromA(Candidates inA, const WideNetwork &net)
{
    const auto toBeq = [&](W a) { return (W(1.0) - a) / net.X; };
    for (W &value : inA.values)
        value = toBeq(value);
    if (inA.boundInput)
        inA.boundInput = toBeq(*inA.boundInput);
    return inA;
}

Candidates BeqForMarginQ2(const WideNetwork &net, W goal)
{
    // Linear in Beq, of slope V2crit^2: Beq = (goal + Qcarga - Q2crit) / V2crit^2.
    const W xp2 = net.X * net.P * net.P / net.u2;
    const W q2crit = net.u2 / (net.X * 4.0) - xp2;
    const W vCrit2 = net.u2 * 0.25 + net.X * xp2;
    return Reached({ ((goal + net.Q) - q2crit) / vCrit2 });
}

// a (MargenQV + Qcarga) = Uinf^2 / (4 X) - a^2 X Pcarga^2 / Uinf^2, one root a > 0.
Candidates AForMarginQv(const WideNetwork &net, W goal)
{
    const W c = net.X * net.P * net.P / net.u2;
    const auto a = PositiveRoot(c, goal + net.Q, net.u2 / (net.X * 4.0));
    if (!a) // no load: the margin falls towards -Qcarga as a grows, never to it
        return OutOfReach(GoalFailure::BelowReach, -net.Q);
    return Reached({ *a });
}

// y = V2sup^2 in the equation as a quadratic in a: a y + X Qcarga = s R,
// R = sqrt(Uinf^2 y - X^2 Pcarga^2); the point is the upper one where
// F'(y) = 2 a s R - Uinf^2 >= 0. The lowest V2sup any a gives is at a nose,
// y = 2 X^2 |S| (|S| - |Qcarga|) / Uinf^2.
Candidates AForV2sup(const WideNetwork &net, double goal)
{
    const auto lowest = [&]() {
        if (IsZero(net.P))
            return OutOfReach(GoalFailure::BelowReach, 0.0);
        const int side = net.Q.sign() >= 0 ? -1 : 1; // the sign of a at the lower nose
        const W plus = PlusReactive(net.s, net.P, net.Q, side);
        const W y = net.X * net.X * net.s * plus * 2.0 / net.u2;
        const W a = net.u2 / (net.X * plus * 2.0);
        return OutOfReach(GoalFailure::BelowReach, Sqrt(y), side > 0 ? a : -a);
    };
    if (!(goal > 0))
        return lowest();
    const W y = W(goal) * goal;
    const W r2 = net.u2 * y - net.X * net.X * net.P * net.P;
    if (r2.sign() < 0)
        return lowest();
    const W r = Sqrt(r2);
    const W xq = net.X * net.Q;
    // The root whose terms add, and the other from the product of the roots.
    const int bigSign = xq.sign() > 0 ? -1 : 1;
    const W big = ((bigSign > 0 ? r : -r) - xq) / y;
    std::vector<W> roots;
    const auto keepIfUpper = [&](W a, int sign) {
        const W slope = a * (sign > 0 ? r : -r) * 2.0 - net.u2;
        if (slope.sign() >= 0)
            roots.push_back(a);
    };
    if (IsZero(big))
        return lowest();
    keepIfUpper(big, bigSign);
    keepIfUpper((net.X * net.X * net.s * net.s - net.u2 * y) / (y * y * big), -bigSign);
    if (roots.empty())
        return lowest();
    return Reached(roots);
}

// Pmax = Uinf^2 |Pcarga| / (2 X |a| (|S| + sign(a) Qcarga)): one a of each sign.
Candidates AForMarginP(const WideNetwork &net, W goal)
{
    if (IsZero(net.P))
        return Fails(GoalFailure::NoLoad);
    const W absP = Abs(net.P);
    const W pmax = goal + absP;
    if (pmax.sign() <= 0) // Pmax > 0 for every a, and tends to 0
        return OutOfReach(GoalFailure::BelowReach, -absP);
    const W scale = net.u2 * absP / (net.X * pmax * 2.0);
    return Reached({ scale / PlusReactive(net.s, net.P, net.Q, 1), -(scale / PlusReactive(net.s, net.P, net.Q, -1)) });
}

// With a V2sup^2 = X |S| / L the equation gives
//     a = Uinf^2 L / (X (|S| (1 - L)^2 + 2 L (|S| + Qcarga))),
// both terms of the denominator non-negative; 0 < L <= 1 on the upper branch.
W AForIndexLAt(const WideNetwork &net, W goal)
{
    const W oneLess = W(1.0) - goal;
    const W den = net.s * oneLess * oneLess + goal * 2.0 * PlusReactive(net.s, net.P, net.Q, 1);
    return net.u2 * goal / (net.X * den);
}

Candidates AForIndexL(const WideNetwork &net, double goal)
{
    if (IsZero(net.s))
        return Fails(GoalFailure::NoLoad);
    if (goal > 1) {
        const W atNose = AForIndexLAt(net, 1.0);
        return OutOfReach(GoalFailure::AboveReach, 1.0, atNose);
    }
    if (!(goal > 0)) // L tends to 0 as a tends to 0
        return OutOfReach(GoalFailure::BelowReach, 0.0);
    return Reached({ AForIndexLAt(net, goal) });
}

Candidates BeqFor(const WideNetwork &net, GoalTarget target, double goal)
{
    switch (target) {
    case GoalTarget::MargenQ2:
        return BeqForMarginQ2(net, goal);
    case GoalTarget::MargenQV:
        return BeqFromA(AForMarginQv(net, goal), net);
    case GoalTarget::V2sup:
        return BeqFromA(AForV2sup(net, goal), net);
    case GoalTarget::MargenP:
        return BeqFromA(AForMarginP(net, goal), net);
    case GoalTarget::IndexL:
        return BeqFromA(AForIndexL(net, goal), net);
    }
    return Fails(GoalFailure::NotMonotone);
}

// ---- Qcarga, a held.

Candidates QcargaFor(const WideNetwork &net, GoalTarget target, double goal)
{
    const W g = goal;
    switch (target) {
    case GoalTarget::MargenQ2: // slope -1
        return Reached({ WideMarginQ2(net) + net.Q - g });
    case GoalTarget::MargenQV:
        if (net.a.sign() <= 0)
            return Fails(GoalFailure::NoThevenin);
        return Reached({ WideMarginQv(net) + net.Q - g });
    case GoalTarget::MargenP: {
        if (IsZero(net.P))
            return Fails(GoalFailure::NoLoad);
        if (net.a.isZero())
            return Fails(GoalFailure::NotMonotone);
        const W absP = Abs(net.P);
        if ((g + absP).sign() <= 0)
            return OutOfReach(GoalFailure::BelowReach, -absP);
        // |S| + sign(a) Qcarga = c, and |S|^2 = Pcarga^2 + Qcarga^2.
        const W c = net.u2 * absP / (net.X * Abs(net.a) * 2.0 * (g + absP));
        const W q = (c - absP) * (c + absP) / (c * 2.0);
        return Reached({ net.a.sign() > 0 ? q : -q });
    }
    case GoalTarget::V2sup: {
        // X Qcarga = s R - a y; the upper point needs 2 |a| R >= Uinf^2 with s = sign(a).
        if (net.a.isZero())
            return Fails(GoalFailure::NotMonotone);
        const W xp = net.X * net.P;
        const W yLowest = net.u2 / (net.a * net.a * 4.0) + xp * xp / net.u2;
        const auto at = [&](W y, W r) { return ((net.a.sign() > 0 ? r : -r) - net.a * y) / net.X; };
        const W y = W(goal) * goal;
        if (!(goal > 0) || (y - yLowest).sign() < 0)
            return OutOfReach(GoalFailure::BelowReach, Sqrt(yLowest), at(yLowest, net.u2 / (Abs(net.a) * 2.0)));
        return Reached({ at(y, Sqrt(net.u2 * y - xp * xp)) });
    }
    case GoalTarget::IndexL:
        return Fails(net.a.sign() <= 0 ? GoalFailure::NoThevenin : GoalFailure::NotMonotone);
    }
    return Fails(GoalFailure::NotMonotone);
}

// ---- Uinf, in z = Uinf^2 > 0; the candidates are |Uinf|.

Candidates RootsOfZ(Candidates inZ)
{
    for (W &value : inZ.values)
        value = Sqrt(value);
    if (inZ.boundInput)
        inZ.boundInput = Sqrt(*inZ.boundInput);
    return inZ;
}

Candidates UinfSquaredFor(const WideNetwork &net, GoalTarget target, double goal)
{
    const W g = goal;
    const W xp2 = net.X * net.P * net.P;
    switch (target) {
    case GoalTarget::MargenQ2: {
        // A z - C / z = goal + Qcarga, A = (2 - a) / (4 X), C = a X Pcarga^2: increasing for 0 <= a <= 2.
        const W A = (W(2.0) - net.a) / (net.X * 4.0);
        const W C = net.a * xp2;
        if (A.sign() <= 0 || C.sign() < 0)
            return Fails(GoalFailure::NotMonotone);
        const auto z = PositiveRoot(A, -(g + net.Q), C);
        if (IsZero(C)) {
            if ((g + net.Q).sign() <= 0)
                return OutOfReach(GoalFailure::BelowReach, -net.Q);
            return Reached({ (g + net.Q) / A });
        }
        return Reached({ *z });
    }
    case GoalTarget::MargenQV: {
        // z / (4 a X) - a X Pcarga^2 / z = goal + Qcarga.
        if (net.a.sign() <= 0)
            return Fails(GoalFailure::NoThevenin);
        const W A = W(1.0) / (net.a * net.X * 4.0);
        const W C = net.a * xp2;
        if (IsZero(C)) {
            if ((g + net.Q).sign() <= 0)
                return OutOfReach(GoalFailure::BelowReach, -net.Q);
            return Reached({ (g + net.Q) / A });
        }
        return Reached({ *PositiveRoot(A, -(g + net.Q), C) });
    }
    case GoalTarget::MargenP: {
        if (IsZero(net.P))
            return Fails(GoalFailure::NoLoad);
        if (net.a.isZero())
            return Fails(GoalFailure::NotMonotone);
        const W absP = Abs(net.P);
        if ((g + absP).sign() <= 0)
            return OutOfReach(GoalFailure::BelowReach, -absP);
        // Pmax is Uinf^2 times what a, X and the load give.
        return Reached(
                { (g + absP) * net.X * Abs(net.a) * 2.0 * PlusReactive(net.s, net.P, net.Q, net.a.sign()) / absP });
    }
    case GoalTarget::V2sup: {
        // z y = (a y + X Qcarga)^2 + X^2 Pcarga^2, the upper point where 2 a (a y + X Qcarga) >= z;
        // the lowest V2sup is the nose, y = X |S| / |a|.
        if (net.a.isZero())
            return Fails(GoalFailure::NotMonotone);
        const auto lowest = [&]() {
            const W zNose = net.X * Abs(net.a) * 2.0 * PlusReactive(net.s, net.P, net.Q, net.a.sign());
            return OutOfReach(GoalFailure::BelowReach, Sqrt(net.X * net.s / Abs(net.a)), zNose);
        };
        if (!(goal > 0))
            return lowest();
        const W y = g * g;
        const W drop = net.a * y + net.X * net.Q;
        const W z = (drop * drop + net.X * xp2) / y;
        if ((net.a * drop * 2.0 - z).sign() < 0 || z.sign() <= 0)
            return lowest();
        return Reached({ z });
    }
    case GoalTarget::IndexL: {
        // z = a X (|S| (1 - L)^2 + 2 L (|S| + Qcarga)) / L, decreasing in L.
        if (net.a.sign() <= 0)
            return Fails(GoalFailure::NoThevenin);
        if (IsZero(net.s))
            return Fails(GoalFailure::NoLoad);
        const auto zAt = [&](W L) {
            const W oneLess = W(1.0) - L;
            return net.a * net.X * (net.s * oneLess * oneLess + L * 2.0 * PlusReactive(net.s, net.P, net.Q, 1)) / L;
        };
        if (goal > 1)
            return OutOfReach(GoalFailure::AboveReach, 1.0, zAt(1.0));
        if (!(goal > 0))
            return OutOfReach(GoalFailure::BelowReach, 0.0);
        return Reached({ zAt(g) });
    }
    }
    return Fails(GoalFailure::NotMonotone);
}

// ---- Bisection on the doubles of [lo, hi] (both positive), f monotone there.

std::uint64_t Bits(double x)
{
    return std::bit_cast<std::uint64_t>(x);
}

// The double nearest the root of f(x) = goal, f increasing or decreasing on
// [lo, hi] with the goal between f(lo) and f(hi): the bracket closes to two
// neighbouring doubles, and of those the one whose value lies nearer the goal.
double Bisect(const std::function<W(double)> &f, W goal, double lo, double hi)
{
    const int sideLo = (f(lo) - goal).sign();
    std::uint64_t low = Bits(lo);
    std::uint64_t high = Bits(hi);
    while (high - low > 1) {
        const std::uint64_t mid = low + (high - low) / 2;
        const int side = (f(std::bit_cast<double>(mid)) - goal).sign();
        if (side == 0)
            return std::bit_cast<double>(mid);
        (side == sideLo ? low : high) = mid;
    }
    const double a = std::bit_cast<double>(low);
    const double b = std::bit_cast<double>(high);
    return (Abs(f(b) - goal) <= Abs(f(a) - goal)) ? b : a;
}

constexpr double kTiniest = std::numeric_limits<double>::denorm_min();
constexpr double kLargest = std::numeric_limits<double>::max();

// Bisection over (0, largest double]. The limits of f towards 0 and towards
// infinity bound what it reaches; none where f grows without bound there, and
// a goal beyond the double next to that end needs an input beyond the doubles.
Candidates BisectPositive(const std::function<W(double)> &f, W goal, std::optional<W> limitAtZero,
                          std::optional<W> limitAtInfinity)
{
    const W atZero = f(kTiniest);
    const W atInfinity = f(kLargest);
    const bool increasing = (atInfinity - atZero).sign() > 0;
    const auto beyond = [&](std::optional<W> limit, GoalFailure side) {
        return limit ? OutOfReach(side, *limit) : Fails(GoalFailure::TooLarge);
    };
    const W high = increasing ? atInfinity : atZero;
    const W low = increasing ? atZero : atInfinity;
    if ((goal - high).sign() > 0)
        return beyond(increasing ? limitAtInfinity : limitAtZero, GoalFailure::AboveReach);
    if ((goal - low).sign() < 0)
        return beyond(increasing ? limitAtZero : limitAtInfinity, GoalFailure::BelowReach);
    return Reached({ W(Bisect(f, goal, kTiniest, kLargest)) });
}

// ---- Pcarga, |Pcarga| sought; Qcarga and a held.

// V2sup falls and L rises as |Pcarga| grows, from their values at no active load
// to the nose, where X^2 Pcarga^2 = Uinf^2 (Uinf^2 - 4 X Qcarga a) / (4 a^2) and
// y = (Uinf^2 - 2 X Qcarga a) / (2 a^2), L = 1.
Candidates PcargaForVoltage(const QvInputs &present, const WideNetwork &net, GoalTarget target, double goal)
{
    if (target == GoalTarget::IndexL && net.a.sign() <= 0)
        return Fails(GoalFailure::NoThevenin);
    if (net.a.isZero())
        return Fails(GoalFailure::NotMonotone);
    QvInputs unloaded = present;
    unloaded.Pcarga = 0.0;
    const WideNetwork atZero(unloaded);
    if (!atZero.hasPoints)
        return Fails(GoalFailure::NoOperatingPoint);
    const W xqa = net.X * net.Q * net.a;
    const W a2 = net.a * net.a;
    const W pNose = Sqrt(net.u2 * (net.u2 - xqa * 4.0) / (a2 * 4.0)) / net.X;
    const W y = W(goal) * goal;
    if (target == GoalTarget::V2sup) {
        // X^2 Pcarga^2 = Uinf^2 y - (a y + X Qcarga)^2, the upper point where 2 a (a y + X Qcarga) >= Uinf^2.
        const W drop = net.a * y + net.X * net.Q;
        const W xp2 = net.u2 * y - drop * drop;
        if (!(goal > 0) || (net.a * drop * 2.0 - net.u2).sign() < 0) {
            const W yNose = (net.u2 - xqa * 2.0) / (a2 * 2.0);
            return OutOfReach(GoalFailure::BelowReach, Sqrt(yNose), pNose);
        }
        if (xp2.sign() < 0)
            return OutOfReach(GoalFailure::AboveReach, Sqrt(atZero.yUpper), W(0.0));
        return Reached({ Sqrt(xp2) / net.X });
    }
    // |S| = (Uinf^2 L / (a X) - 2 Qcarga L) / (1 + L^2), then Pcarga^2 = |S|^2 - Qcarga^2.
    if (goal > 1)
        return OutOfReach(GoalFailure::AboveReach, 1.0, pNose);
    const W atNoLoad = atZero.yUpper.isZero() ? W(0.0) : net.X * Abs(net.Q) / (net.a * atZero.yUpper);
    if (!(goal > 0))
        return OutOfReach(GoalFailure::BelowReach, atNoLoad, W(0.0));
    const W g = goal;
    const W s = (net.u2 * g / (net.a * net.X) - net.Q * g * 2.0) / (W(1.0) + g * g);
    const W absQ = Abs(net.Q);
    if ((s - absQ).sign() < 0)
        return OutOfReach(GoalFailure::BelowReach, atNoLoad, W(0.0));
    return Reached({ Sqrt((s - absQ) * (s + absQ)) });
}

Candidates PcargaFor(const QvInputs &present, const WideNetwork &net, GoalTarget target, double goal)
{
    const W g = goal;
    const auto fromSquare = [&](W p2, GoalFailure side, W bound, std::optional<W> at) {
        if (p2.sign() < 0)
            return OutOfReach(side, bound, at);
        return Reached({ Sqrt(p2) });
    };
    switch (target) {
    case GoalTarget::MargenQ2: {
        // a X Pcarga^2 / Uinf^2 = Uinf^2 (2 - a) / (4 X) - Qcarga - goal: extreme at Pcarga = 0.
        if (net.a.isZero())
            return Fails(GoalFailure::NotMonotone);
        const W atZero = net.u2 * (W(2.0) - net.a) / (net.X * 4.0) - net.Q;
        const GoalFailure side = net.a.sign() > 0 ? GoalFailure::AboveReach : GoalFailure::BelowReach;
        return fromSquare((atZero - g) * net.u2 / (net.a * net.X), side, atZero, W(0.0));
    }
    case GoalTarget::MargenQV: {
        if (net.a.sign() <= 0)
            return Fails(GoalFailure::NoThevenin);
        const W atZero = net.u2 / (net.a * net.X * 4.0) - net.Q;
        return fromSquare((atZero - g) * net.u2 / (net.a * net.X), GoalFailure::AboveReach, atZero, W(0.0));
    }
    case GoalTarget::MargenP: {
        // Pmax - p decreases in p = |Pcarga| where sign(a) Qcarga <= 0.
        if (net.a.isZero() || (net.a.sign() > 0 ? net.Q.sign() > 0 : net.Q.sign() < 0))
            return Fails(GoalFailure::NotMonotone);
        QvInputs moved = present;
        const auto margin = [&](double p) {
            moved.Pcarga = p;
            const WideNetwork at(moved);
            return WidePmax(at) - W(p);
        };
        // With Qcarga = 0 Pmax = Uinf^2 / (2 X |a|) whatever the load; otherwise it grows
        // without bound as the load vanishes. The margin falls without bound as the load grows.
        std::optional<W> atZero;
        if (net.Q.isZero())
            atZero = net.u2 / (net.X * Abs(net.a) * 2.0);
        return BisectPositive(margin, g, atZero, std::nullopt);
    }
    case GoalTarget::V2sup:
    case GoalTarget::IndexL:
        return PcargaForVoltage(present, net, target, goal);
    }
    return Fails(GoalFailure::NotMonotone);
}

// ---- X, Beq held.

Candidates XFor(const QvInputs &present, const WideNetwork &net, GoalTarget target, double goal)
{
    const W beq = W(present.Qcap) + W(present.B) * 0.5;
    switch (target) {
    case GoalTarget::MargenQV: {
        // In w = X a = X - Beq X^2 the margin is Uinf^2 / (4 w) - w Pcarga^2 / Uinf^2 - Qcarga,
        // decreasing in w > 0; then Beq X^2 - X + w = 0.
        const W c = net.P * net.P / net.u2;
        const auto w = PositiveRoot(c, W(goal) + net.Q, net.u2 * 0.25);
        if (beq.sign() <= 0) {
            if (!w)
                return OutOfReach(GoalFailure::BelowReach, -net.Q);
            if (beq.isZero())
                return Reached({ *w });
            // The positive root of -Beq X^2 + X - w = 0: 2 w / (1 + sqrt(1 - 4 Beq w)).
            return Reached({ *w * 2.0 / (W(1.0) + Sqrt(W(1.0) - beq * *w * 4.0)) });
        }
        // w is at most 1 / (4 Beq), at X = 1 / (2 Beq): the margin is at least its value there.
        const W wMax = W(1.0) / (beq * 4.0);
        const W atMax = (net.u2 / (wMax * 4.0) - wMax * c) - net.Q;
        if (!w || (wMax - *w).sign() < 0)
            return OutOfReach(GoalFailure::BelowReach, atMax, W(1.0) / (beq * 2.0));
        const W root = Sqrt(W(1.0) - beq * *w * 4.0);
        const W small = *w * 2.0 / (W(1.0) + root);
        return Reached({ small, (W(1.0) + root) / (beq * 2.0) });
    }
    case GoalTarget::MargenQ2: {
        // Decreasing in X where Beq <= 0: d/dX = -Uinf^2 / (4 X^2) - (1 - 2 X Beq) Pcarga^2 / Uinf^2.
        if (beq.sign() > 0)
            return Fails(GoalFailure::NotMonotone);
        QvInputs moved = present;
        const auto margin = [&](double x) {
            moved.X = x;
            return WideMarginQ2(WideNetwork(moved));
        };
        // Towards X = 0 it grows without bound; towards infinity it falls without bound
        // under a load, and to Uinf^2 Beq / 4 - Qcarga without one.
        std::optional<W> atInfinity;
        if (IsZero(net.P))
            atInfinity = net.u2 * beq * 0.25 - net.Q;
        return BisectPositive(margin, W(goal), std::nullopt, atInfinity);
    }
    case GoalTarget::V2sup:
    case GoalTarget::MargenP:
    case GoalTarget::IndexL:
        return Fails(GoalFailure::NotMonotone);
    }
    return Fails(GoalFailure::NotMonotone);
}

// ---- Rounding and the choice between two values.

std::optional<double> Finite(W value)
{
    const double rounded = value.toDouble();
    if (!std::isfinite(rounded))
        return std::nullopt;
    return rounded;
}

GoalSeekResult Finish(const Candidates &found, double present, const std::function<W(W)> &toInput)
{
    GoalSeekResult result;
    if (found.failure) {
        result.failure = found.failure;
        if (const auto bound = Finite(found.bound))
            result.bound = *bound;
        if (found.boundInput)
            result.boundInput = Finite(toInput(*found.boundInput));
        return result;
    }
    std::vector<double> values;
    for (const W &value : found.values) {
        const auto rounded = Finite(toInput(value));
        if (!rounded) {
            result.failure = GoalFailure::TooLarge;
            return result;
        }
        values.push_back(*rounded);
    }
    if (values.size() == 2 && std::abs(values[1] - present) < std::abs(values[0] - present))
        std::swap(values[0], values[1]);
    result.value = values[0];
    if (values.size() == 2)
        result.other = values[1];
    return result;
}

} // namespace

GoalSeekResult SeekGoal(const QvInputs &present, GoalTarget target, double goal, GoalInput input)
{
    if (!std::isfinite(goal) || !std::isfinite(present.X) || !std::isfinite(present.B) || !std::isfinite(present.Uinf)
        || !std::isfinite(present.Pcarga) || !std::isfinite(present.Qcarga) || !std::isfinite(present.Qcap)) {
        GoalSeekResult result;
        result.failure = GoalFailure::TooLarge;
        return result;
    }
    const bool lineHeld = input != GoalInput::X && input != GoalInput::Uinf;
    const bool noLine = !(present.X > 0) || present.Uinf == 0;
    if ((lineHeld && noLine) || (input == GoalInput::X && present.Uinf == 0)
        || (input == GoalInput::Uinf && !(present.X > 0))) {
        GoalSeekResult result;
        result.failure = GoalFailure::NoLine;
        return result;
    }
    QvInputs base = present;
    if (input == GoalInput::X)
        base.X = 1.0; // only Uinf, the load and Beq are read
    if (input == GoalInput::Uinf)
        base.Uinf = 1.0;
    const WideNetwork net(base);
    const auto same = [](W value) { return value; };
    switch (input) {
    case GoalInput::Qcap: {
        const W halfB = W(present.B) * 0.5;
        return Finish(BeqFor(net, target, goal), present.Qcap, [&](W beq) { return beq - halfB; });
    }
    case GoalInput::B: {
        const W qcap = present.Qcap;
        return Finish(BeqFor(net, target, goal), present.B, [&](W beq) { return (beq - qcap) * 2.0; });
    }
    case GoalInput::Qcarga:
        return Finish(QcargaFor(net, target, goal), present.Qcarga, same);
    case GoalInput::Uinf: {
        // The network's Uinf is a stand-in, which the formulas in z do not read.
        const double sign = present.Uinf < 0 ? -1.0 : 1.0;
        return Finish(RootsOfZ(UinfSquaredFor(net, target, goal)), present.Uinf, [&](W value) { return value * sign; });
    }
    case GoalInput::Pcarga: {
        const double sign = present.Pcarga < 0 ? -1.0 : 1.0;
        return Finish(PcargaFor(present, net, target, goal), present.Pcarga, [&](W value) { return value * sign; });
    }
    case GoalInput::X:
        return Finish(XFor(present, net, target, goal), present.X, same);
    }
    return {};
}

} // namespace tarvilo
