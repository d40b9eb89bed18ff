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
    TooLarge, // the input that reaches it is beyond the range of a double
    NotMonotone, // the target is not proven monotone in this input for this case
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

// Closed forms where they exist (every target for Qcap and B, which act through
// a = 1 - X Beq; MargenQ2, MargenQV, MargenP and V2sup for Qcarga; MargenQV for X);
// elsewhere bisection on the doubles of an interval over which the target is
// proven monotone, to the exact root's neighbouring doubles. Uinf and Pcarga keep
// their present sign: the model sees only their squares (and |Pcarga|), so the
// negated value reaches the target too and is not reported.
GoalSeekResult SeekGoal(const QvInputs &present, GoalTarget target, double goal, GoalInput input);

} // namespace tarvilo
