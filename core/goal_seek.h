#pragma once

#include "core/qv_types.h"

#include <optional>

namespace tarvilo {

// What a goal seek aims at; each has the meaning and the exact formula of
// core/stability_margins.h and core/qv_method_margin.h, on the exact input doubles.
enum class GoalTarget {
    MargenQ2, // Q2crit - (Qcarga - Beq V2crit^2)
    MargenQV, // the Q-V method's margin; needs X Beq < 1
    V2sup, // the upper operating voltage
    MargenP, // Pmax - |Pcarga|
    IndexL, // X |S| / ((1 - X Beq) V2sup^2); needs X Beq < 1
};

// The input a goal seek changes, the others held.
enum class GoalInput { Qcap, B, X, Uinf, Pcarga, Qcarga };

enum class GoalFailure {
    NoLine, // X <= 0 or Uinf = 0 (where neither is the input sought)
    NoLoad, // MargenP with Pcarga = 0 held; IndexL with no load
    AboveReach, // no value of the input gives a target this large
    BelowReach, // no value of the input gives a target this small
    NoOperatingPoint, // no value of the input gives an operating point
    TooLarge, // the input that reaches it is beyond the range of a double; or a goal or
              // an input that is not a finite double
    NotMonotone, // the target is not proven monotone in this input for this case
    NoThevenin, // MargenQV or IndexL where X Beq >= 1, with an input that leaves X Beq as it is
};

struct GoalSeekResult
{
    std::optional<GoalFailure> failure;
    // Without a failure: the value of the input that reaches the target, the
    // one nearest the present value where two do, and the other one.
    double value = 0.0;
    std::optional<double> other;
    // With AboveReach or BelowReach: the reachable value of the target nearest
    // the one asked (a supremum or infimum), and the input that gives it where
    // one does (none where it is only approached).
    double bound = 0.0;
    std::optional<double> boundInput;
};

// How each input is sought, a = 1 - X Beq:
//   Qcap, B  every target in closed form through a (Beq for MargenQ2, which is
//            linear in it): MargenQV gives a quadratic in a with one positive root,
//            V2sup a quadratic in a whose roots are kept where the voltage is the
//            upper point, MargenP and IndexL one a of each sign and one a > 0;
//   Qcarga   MargenQ2 and MargenQV (slope -1), MargenP and V2sup in closed form;
//   Uinf     every target in closed form in Uinf^2 (MargenQ2 where 0 <= a < 2);
//   Pcarga   MargenQ2, MargenQV, V2sup and IndexL in closed form in Pcarga^2;
//            MargenP by bisection where sign(a) Qcarga <= 0, where it falls with |Pcarga|;
//   X        MargenQV in closed form in X a (two values where Beq > 0); MargenQ2 by
//            bisection where Beq <= 0, where it falls with X.
// Elsewhere NotMonotone. Bisection runs on the doubles of (0, largest double] down to
// two neighbours, of which the nearer to the goal is given. Each closed form is
// evaluated in about 106 bits from the exact input doubles and rounded once. Uinf and
// Pcarga keep their present sign: the model sees only Uinf^2 and |Pcarga|, so the
// negated value reaches the target too and is not reported.
GoalSeekResult SeekGoal(const QvInputs &present, GoalTarget target, double goal, GoalInput input);

} // namespace tarvilo
