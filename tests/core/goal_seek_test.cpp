#include "core/goal_seek.h"

#include "core/operating_points.h"
#include "core/pv_curve.h"
#include "core/qv_method_margin.h"
#include "core/qv_model.h"
#include "core/stability_margins.h"
#include "tests/support/default_inputs.h"
#include "tests/support/ulp_distance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <limits>
#include <optional>
#include <ostream>
#include <variant>

namespace tarvilo {
namespace {

using testing::Inputs;
using testing::UlpDistance;
using T = GoalTarget;
using I = GoalInput;
using F = GoalFailure;

constexpr std::uint64_t kUlps = 4;
constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

struct Outcome
{
    std::optional<GoalFailure> failure;
    double value = kNone;
    double other = kNone; // kNone: no second value
    double bound = kNone;
    double boundInput = kNone; // kNone: the bound is only approached
};

Outcome Found(double value, double other)
{
    return { std::nullopt, value, other, kNone, kNone };
}

Outcome Out(GoalFailure side, double bound, double boundInput)
{
    return { side, kNone, kNone, bound, boundInput };
}

Outcome Fails(GoalFailure failure)
{
    return { failure, kNone, kNone, kNone, kNone };
}

struct GoalRow
{
    const char *name;
    QvInputs inputs;
    GoalTarget target;
    double goal;
    GoalInput input;
    Outcome expected;
};

void PrintTo(const GoalRow &row, std::ostream *out)
{
    *out << row.name;
}

// From tests/core/margins_reference.py: the roots at 80 digits, each put back into the
// model's definitions (the upper root of the quadratic for V2sup), the two values of a
// pair ordered by their distance from the present one.
const GoalRow kGoalRows[] = {
    // BEGIN margins_reference.py goals
    { "Q2 by Qcap, default", Inputs(0.03, 3.33, 1.0, 10.48, 0.0, 0.0), T::MargenQ2, 5.0, I::Qcap,
      Found(-1.7751379506880416, kNone) },
    { "Q2 by Qcap, negative goal", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::MargenQ2, -3.0, I::Qcap,
      Found(-14.826986882102497, kNone) },
    { "Q2 by Qcap, present value", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::MargenQ2, 1.5, I::Qcap,
      Found(-0.39957152139439583, kNone) },
    { "Q2 by B", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::MargenQ2, 4.0, I::B, Found(14.4313184691091, kNone) },
    { "Q2 by Qcap, huge", Inputs(0.01, 0.0, 1000.0, 1000000.0, 200000.0, 10.0), T::MargenQ2, 10000000.0, I::Qcap,
      Found(-59.136345461815274, kNone) },
    { "QV by Qcap", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::MargenQV, 1.0, I::Qcap,
      Found(-2.375301279746914, kNone) },
    { "QV by Qcap, large margin", Inputs(0.1, 0.0, 1.0, 1.0, 0.2, 0.0), T::MargenQV, 1000000.0, I::Qcap,
      Found(9.999975000005, kNone) },
    { "QV by Qcap, negative margin", Inputs(0.1, 0.0, 1.0, 1.0, 0.2, 0.0), T::MargenQV, -50.0, I::Qcap,
      Found(-4970.501957437496, kNone) },
    { "QV by Qcap, capacitive", Inputs(0.05, 0.0, 1.0, 1e-06, -1000.0, 0.0), T::MargenQV, 2000.0, I::Qcap,
      Found(19.9, kNone) },
    { "QV by Qcap, no active load", Inputs(0.2, 0.0, 1.0, 0.0, 0.5, 0.0), T::MargenQV, 1.0, I::Qcap,
      Found(0.8333333333333335, kNone) },
    { "QV by Qcap, no active load, out of reach", Inputs(0.2, 0.0, 1.0, 0.0, 0.5, 0.0), T::MargenQV, -0.5, I::Qcap,
      Out(F::BelowReach, -0.5, kNone) },
    { "QV by Qcap, no active load, just inside", Inputs(0.2, 0.0, 1.0, 0.0, 0.5, 0.0), T::MargenQV, -0.4999999, I::Qcap,
      Found(-62499994.99820276, kNone) },
    { "QV by B", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::MargenQV, 2.5, I::B, Found(3.5992801340692573, kNone) },
    { "V2sup by Qcap, two values", Inputs(0.1, 0.0, 1.0, 1.0, 0.5, 0.0), T::V2sup, 1.0, I::Qcap,
      Found(0.5501256289338005, 20.449874371066198) },
    { "V2sup by Qcap, high", Inputs(0.1, 0.0, 1.0, 1.0, 0.5, 0.0), T::V2sup, 1.1, I::Qcap,
      Found(1.3599577271873375, 19.466488553804396) },
    { "V2sup by Qcap, capacitive load", Inputs(0.1, 0.0, 1.0, 1.0, -2.0, 0.0), T::V2sup, 1.05, I::Qcap,
      Found(-1.294578213318309, 17.666460299486108) },
    { "V2sup by Qcap, below reach", Inputs(0.1, 0.0, 1.0, 1.0, 0.5, 0.0), T::V2sup, 0.05, I::Qcap,
      Out(F::BelowReach, 0.11755705045849463, 90.90169943749473) },
    { "V2sup by Qcap, capacitive below reach", Inputs(0.1, 0.0, 1.0, 1.0, -2.0, 0.0), T::V2sup, 0.05, I::Qcap,
      Out(F::BelowReach, 0.10274862967460156, -201.80339887498945) },
    { "V2sup by Qcap, just above the lowest", Inputs(0.1, 0.0, 1.0, 1.0, 0.5, 0.0), T::V2sup, 0.1175571, I::Qcap,
      Found(90.90169943744274, kNone) },
    { "V2sup by Qcap, just below the lowest", Inputs(0.1, 0.0, 1.0, 1.0, 0.5, 0.0), T::V2sup, 0.117557, I::Qcap,
      Out(F::BelowReach, 0.11755705045849463, 90.90169943749473) },
    { "V2sup by Qcap, exporting", Inputs(0.1, 0.1, 1.0, -3.0, 0.5, 0.2), T::V2sup, 0.98, I::Qcap,
      Found(0.756410837408912, 20.184821982249563) },
    { "V2sup by Qcap, near X Beq 1", Inputs(0.5, 0.0, 1.0, 0.01, 0.005, 1.9999999999), T::V2sup, 1000.0, I::Qcap,
      Found(1.998000005000025, 2.002000004999975) },
    { "V2sup by B", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::V2sup, 1.0, I::B,
      Found(-0.015528128088303488, 41.2155281280883) },
    { "V2sup by Qcap, zero goal", Inputs(0.1, 0.0, 1.0, 1.0, 0.5, 0.0), T::V2sup, 0.0, I::Qcap,
      Out(F::BelowReach, 0.11755705045849463, 90.90169943749473) },
    { "P by Qcap", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::MargenP, 1.0, I::Qcap,
      Found(-2.5404806662193025, 37.0404806662193) },
    { "P by Qcap, exporting", Inputs(0.1, 0.1, 1.0, -3.0, 0.5, 0.2), T::MargenP, 2.0, I::Qcap,
      Found(1.4787291161696343, 21.7546042171637) },
    { "P by Qcap, capacitive", Inputs(0.05, 0.0, 1.0, 1e-06, -1000.0, 0.0), T::MargenP, 1.0, I::Qcap,
      Found(20.000000099999898, -399999599980.39996) },
    { "P by Qcap, below reach", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::MargenP, -2.0, I::Qcap,
      Out(F::BelowReach, -2.0, kNone) },
    { "P by Qcap, just inside", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::MargenP, -1.9999999, I::Qcap,
      Found(-373214409.8686714, 814214429.411186) },
    { "P by Qcap, no load", Inputs(0.2, 0.1, 1.0, 0.0, 0.5, 0.1), T::MargenP, 1.0, I::Qcap, Fails(F::NoLoad) },
    { "P by B", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::MargenP, 0.5, I::B,
      Found(-10.857153598926326, 84.13715359892632) },
    { "L by Qcap", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::IndexL, 0.5, I::Qcap, Found(-5.883450075135365, kNone) },
    { "L by Qcap, at the nose", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::IndexL, 1.0, I::Qcap,
      Found(-8.760720999328953, kNone) },
    { "L by Qcap, above reach", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::IndexL, 1.0000001, I::Qcap,
      Out(F::AboveReach, 1.0, -8.760720999328953) },
    { "L by Qcap, just inside", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::IndexL, 0.9999999, I::Qcap,
      Found(-8.760720999328885, kNone) },
    { "L by Qcap, capacitive", Inputs(0.1, 0.0, 1.0, 1.0, -2.0, 0.0), T::IndexL, 0.3, I::Qcap,
      Found(-14.246066629095235, kNone) },
    { "L by Qcap, negative goal", Inputs(0.1, 0.0, 1.0, 1.0, -2.0, 0.0), T::IndexL, -0.1, I::Qcap,
      Out(F::BelowReach, 0.0, kNone) },
    { "L by Qcap, tiny", Inputs(0.1, 0.0, 1.0, 1.0, 0.5, 0.0), T::IndexL, 1e-09, I::Qcap,
      Found(9.99999991055728, kNone) },
    { "L by B", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::IndexL, 0.25, I::B, Found(-1.5025111132845397, kNone) },
    { "Q2 by Qcarga", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::MargenQ2, 1.0, I::Qcarga,
      Found(1.5805819160997734, kNone) },
    { "QV by Qcarga", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::MargenQV, 1.0, I::Qcarga,
      Found(1.5911377671636031, kNone) },
    { "V2sup by Qcarga", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::V2sup, 0.9, I::Qcarga,
      Found(1.621935253129485, kNone) },
    { "V2sup by Qcarga, below reach", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::V2sup, 0.3, I::Qcarga,
      Out(F::BelowReach, 0.590097714137429, 2.591137767163603) },
    { "V2sup by Qcarga, over-compensated", Inputs(0.5, 0.0, 1.0, 0.2, 0.1, 3.0), T::V2sup, 2.0, I::Qcarga,
      Found(0.005003128912364217, kNone) },
    { "P by Qcarga", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::MargenP, 3.0, I::Qcarga,
      Found(0.3202646306749651, kNone) },
    { "P by Qcarga, below reach", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::MargenP, -2.5, I::Qcarga,
      Out(F::BelowReach, -2.0, kNone) },
    { "Q2 by Uinf", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::MargenQ2, 1.0, I::Uinf,
      Found(0.9202181466785861, kNone) },
    { "QV by Uinf", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::MargenQV, 1.0, I::Uinf, Found(0.918834187527854, kNone) },
    { "QV by Uinf, negative source", Inputs(0.1, 0.0, -1.1, 1.0, 0.3, 0.1), T::MargenQV, 3.0, I::Uinf,
      Found(-1.1559157452525854, kNone) },
    { "V2sup by Uinf", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::V2sup, 1.0, I::Uinf,
      Found(1.0394229168149027, kNone) },
    { "V2sup by Uinf, below reach", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::V2sup, 0.3, I::Uinf,
      Out(F::BelowReach, 0.4787023597599725, 0.7452277460592264) },
    { "P by Uinf", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::MargenP, 1.0, I::Uinf, Found(0.912713860004751, kNone) },
    { "L by Uinf", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::IndexL, 0.5, I::Uinf, Found(0.8103119719408343, kNone) },
    { "Q2 by Pcarga", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::MargenQ2, 1.0, I::Pcarga,
      Found(3.627013839000049, kNone) },
    { "Q2 by Pcarga, above reach", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::MargenQ2, 50.0, I::Pcarga,
      Out(F::AboveReach, 2.121625, 0.0) },
    { "QV by Pcarga, exporting", Inputs(0.1, 0.1, 1.0, -3.0, 0.5, 0.2), T::MargenQV, 1.0, I::Pcarga,
      Found(-3.303615058134647, kNone) },
    { "P by Pcarga, capacitive (bisection)", Inputs(0.1, 0.0, 1.0, 1.0, -2.0, 0.0), T::MargenP, 3.0, I::Pcarga,
      Found(4.6157124801239044, kNone) },
    { "P by Pcarga, unity power factor (bisection)", Inputs(0.1, 0.0, 1.0, 1.0, 0.0, 0.0), T::MargenP, 2.0, I::Pcarga,
      Found(2.9999999999999996, kNone) },
    { "P by Pcarga, unity power factor, above reach", Inputs(0.1, 0.0, 1.0, 1.0, 0.0, 0.0), T::MargenP, 5.0, I::Pcarga,
      Out(F::AboveReach, 5.0, kNone) },
    { "P by Pcarga, exporting (bisection)", Inputs(0.1, 0.1, 1.0, -3.0, -0.5, 0.2), T::MargenP, 1.0, I::Pcarga,
      Found(-4.702389498945421, kNone) },
    { "V2sup by Pcarga", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::V2sup, 0.9, I::Pcarga,
      Found(4.301988377483138, kNone) },
    { "V2sup by Pcarga, exporting", Inputs(0.1, 0.1, 1.0, -3.0, 0.5, 0.2), T::V2sup, 0.95, I::Pcarga,
      Found(-1.9420670970321818, kNone) },
    { "V2sup by Pcarga, above reach", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::V2sup, 1.2, I::Pcarga,
      Out(F::AboveReach, 1.0347750082786358, 0.0) },
    { "V2sup by Pcarga, below reach", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::V2sup, 0.3, I::Pcarga,
      Out(F::BelowReach, 0.7340040076219408, 5.000775884798014) },
    { "V2sup by Pcarga, no point at all", Inputs(0.5, 0.0, 1.0, 0.1, 0.6, 0.0), T::V2sup, 0.7, I::Pcarga,
      Fails(F::NoOperatingPoint) },
    { "L by Pcarga", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::IndexL, 0.5, I::Pcarga,
      Found(3.9717207917961095, kNone) },
    { "L by Pcarga, capacitive", Inputs(0.1, 0.0, 1.0, 1.0, -2.0, 0.0), T::IndexL, 0.4, I::Pcarga,
      Found(4.393812534123166, kNone) },
    { "L by Pcarga, below reach", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::IndexL, 0.05, I::Pcarga,
      Out(F::BelowReach, 0.07948227166205628, 0.0) },
    { "L by Pcarga, above reach", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::IndexL, 1.01, I::Pcarga,
      Out(F::AboveReach, 1.0, 5.000775884798014) },
    { "L by Qcarga, no method", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::IndexL, 0.5, I::Qcarga,
      Fails(F::NotMonotone) },
    { "V2sup by X, no method", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::V2sup, 1.0, I::X, Fails(F::NotMonotone) },
    // X Beq = 1.05: no Thevenin equivalent, and these inputs leave X Beq as it is.
    { "QV by Qcarga, over-compensated", Inputs(0.1, 3.0, 1.05, 2.0, 0.0, 9.0), T::MargenQV, 1.0, I::Qcarga,
      Fails(F::NoThevenin) },
    { "QV by Uinf, over-compensated", Inputs(0.1, 3.0, 1.05, 2.0, 0.0, 9.0), T::MargenQV, 1.0, I::Uinf,
      Fails(F::NoThevenin) },
    { "QV by Pcarga, over-compensated", Inputs(0.1, 3.0, 1.05, 2.0, 0.0, 9.0), T::MargenQV, 1.0, I::Pcarga,
      Fails(F::NoThevenin) },
    { "L by Qcarga, over-compensated", Inputs(0.1, 3.0, 1.05, 2.0, 0.0, 9.0), T::IndexL, 0.5, I::Qcarga,
      Fails(F::NoThevenin) },
    { "L by Uinf, over-compensated", Inputs(0.1, 3.0, 1.05, 2.0, 0.0, 9.0), T::IndexL, 0.5, I::Uinf,
      Fails(F::NoThevenin) },
    { "L by Pcarga, X Beq = 1", Inputs(0.1, 3.0, 1.05, 2.0, 0.0, 8.5), T::IndexL, 0.5, I::Pcarga,
      Fails(F::NoThevenin) },
    { "Q2 by X with a shunt, no method", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::MargenQ2, 1.0, I::X,
      Fails(F::NotMonotone) },
    { "P by Pcarga, inductive, no method", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::MargenP, 1.0, I::Pcarga,
      Fails(F::NotMonotone) },
    { "Q2 by Qcap, negative reactance", Inputs(-0.1, 0.0, 1.0, 1.0, 0.0, 0.0), T::MargenQ2, 1.0, I::Qcap,
      Fails(F::NoLine) },
    { "QV by Uinf from no source", Inputs(0.1, 0.2, 0.0, 2.0, 0.8, 0.5), T::MargenQV, 1.0, I::Uinf,
      Found(0.918834187527854, kNone) },
    { "QV by X from no line", Inputs(0.0, 0.2, 1.05, 2.0, 0.8, 0.5), T::MargenQV, 5.0, I::X,
      Found(0.047543345273964074, 1.6191233213927025) },
    { "QV by X, two values", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::MargenQV, 5.0, I::X,
      Found(0.047543345273964074, 1.6191233213927025) },
    { "QV by X, small margin", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::MargenQV, 0.1, I::X,
      Found(0.20292142048343526, 1.4637452461832314) },
    { "QV by X, below reach", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::MargenQV, -2.0, I::X,
      Out(F::BelowReach, -1.650215797430083, 0.8333333333333334) },
    { "V2sup by Qcarga, just inside", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::V2sup, 0.5901, I::Qcarga,
      Found(2.5911377671087736, kNone) },
    { "V2sup by Uinf, just inside", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::V2sup, 0.4788, I::Uinf,
      Found(0.7452277686622109, kNone) },
    { "L by Uinf, above reach", Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5), T::IndexL, 1.5, I::Uinf,
      Out(F::AboveReach, 1.0, 0.7452277460592264) },
    { "Q2 by Qcap, X Beq above 1", Inputs(0.5, 0.0, 1.0, 0.01, 0.005, 2.0000000001), T::MargenQ2, 0.3, I::Qcap,
      Found(-0.7797220277972203, kNone) },
    { "QV by Qcap, tiny line", Inputs(1e-09, 0.0, 1.0, 1.0, 0.5, 0.0), T::MargenQV, 100000000.0, I::Qcap,
      Found(-1499999987.4999998, kNone) },
    { "QV by X, no shunt", Inputs(0.1, 0.0, 1.0, 1.0, 0.3, 0.0), T::MargenQV, 2.0, I::X,
      Found(0.10399362039844524, kNone) },
    { "QV by X, negative shunt", Inputs(0.1, 0.0, 1.0, 1.0, 0.3, -1.0), T::MargenQV, 2.0, I::X,
      Found(0.09497363000257857, kNone) },
    { "Q2 by X, negative shunt (bisection)", Inputs(0.1, 0.0, 1.0, 1.0, 0.3, -1.0), T::MargenQ2, 2.0, I::X,
      Found(0.09422909997001364, kNone) },
    { "Q2 by X, no shunt (bisection)", Inputs(0.1, 0.0, 1.0, 1.0, 0.3, 0.0), T::MargenQ2, 0.01, I::X,
      Found(0.3684739726099092, kNone) },
    // END margins_reference.py goals
};

double &InputOf(QvInputs &inputs, GoalInput input)
{
    switch (input) {
    case GoalInput::Qcap:
        return inputs.Qcap;
    case GoalInput::B:
        return inputs.B;
    case GoalInput::X:
        return inputs.X;
    case GoalInput::Uinf:
        return inputs.Uinf;
    case GoalInput::Pcarga:
        return inputs.Pcarga;
    case GoalInput::Qcarga:
        break;
    }
    return inputs.Qcarga;
}

// The target at an input set, as the rest of the program computes it; none where
// it has no value.
std::optional<double> TargetAt(const QvInputs &inputs, GoalTarget target)
{
    switch (target) {
    case GoalTarget::MargenQ2: {
        QvResults results;
        ComputeCriticalPoint(inputs, results);
        return results.MargenQ2;
    }
    case GoalTarget::MargenQV: {
        const QvMethodMargin margin = ComputeQvMethodMargin(inputs);
        if (margin.kind != QvMethodMargin::Kind::Maximum)
            return std::nullopt;
        return margin.value;
    }
    case GoalTarget::V2sup: {
        QvResults results;
        SolveOperatingPoints(inputs, results);
        if (!results.HasSolution)
            return std::nullopt;
        return results.V2sup;
    }
    case GoalTarget::MargenP: {
        const auto nose = TracePvNose(inputs);
        if (!std::holds_alternative<PvNose>(nose))
            return std::nullopt;
        return std::get<PvNose>(nose).Pmax - std::abs(inputs.Pcarga);
    }
    case GoalTarget::IndexL: {
        const MarginValue index = ComputeStabilityMargins(inputs).upper.indexL;
        if (!index.exists())
            return std::nullopt;
        return index.value;
    }
    }
    return std::nullopt;
}

void ExpectNear(double got, double expected, const char *what, std::uint64_t &worst)
{
    if (std::isnan(expected))
        return;
    const std::uint64_t distance = UlpDistance(got, expected);
    worst = std::max(worst, distance);
    EXPECT_LE(distance, kUlps) << what << ": " << got << " vs " << expected;
}

std::uint64_t CheckRow(const GoalRow &row)
{
    std::uint64_t worst = 0;
    const GoalSeekResult got = SeekGoal(row.inputs, row.target, row.goal, row.input);
    const Outcome &expected = row.expected;
    EXPECT_EQ(got.failure, expected.failure);
    if (got.failure != expected.failure)
        return std::numeric_limits<std::uint64_t>::max();
    if (expected.failure) {
        ExpectNear(got.bound, expected.bound, "bound", worst);
        EXPECT_EQ(got.boundInput.has_value(), !std::isnan(expected.boundInput));
        if (got.boundInput)
            ExpectNear(*got.boundInput, expected.boundInput, "input at the bound", worst);
        return worst;
    }
    ExpectNear(got.value, expected.value, "value", worst);
    EXPECT_EQ(got.other.has_value(), !std::isnan(expected.other));
    if (got.other)
        ExpectNear(*got.other, expected.other, "other value", worst);
    return worst;
}

class GoalSeekTable : public ::testing::TestWithParam<GoalRow>
{
};

TEST_P(GoalSeekTable, FindsTheExactRootOrSaysWhyNot)
{
    CheckRow(GetParam());
}

// Each value found, put back into the case, gives the target as the margins, the
// operating-point solver and the P-V nose compute it: on the upper branch for V2sup,
// which the lower root of the same equation would not give.
TEST_P(GoalSeekTable, ValuesFoundReachTheTargetInTheCase)
{
    const GoalRow &row = GetParam();
    const GoalSeekResult got = SeekGoal(row.inputs, row.target, row.goal, row.input);
    if (got.failure)
        return;
    for (const std::optional<double> value : { std::optional<double>(got.value), got.other }) {
        if (!value)
            continue;
        QvInputs moved = row.inputs;
        InputOf(moved, row.input) = *value;
        const auto reached = TargetAt(moved, row.target);
        // At the nose itself the rounded input may leave the point just beyond reach.
        if (row.target == GoalTarget::IndexL && row.goal == 1.0 && !reached)
            continue;
        ASSERT_TRUE(reached.has_value()) << *value;
        const double scale = std::max(1.0, std::abs(row.goal));
        EXPECT_NEAR(*reached, row.goal, 1e-6 * scale) << *value;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, GoalSeekTable, ::testing::ValuesIn(kGoalRows));

TEST(GoalSeek, WorstAgreementOverTheTable)
{
    std::uint64_t worst = 0;
    for (const GoalRow &row : kGoalRows)
        worst = std::max(worst, CheckRow(row));
    std::cout << "worst distance from the exact roots: " << worst << " ulp\n";
    EXPECT_LE(worst, kUlps);
}

// A target no value reaches carries no value: asking again just beyond the bound
// fails the same way, and at the bound's input the target is the bound.
TEST(GoalSeek, BoundsAreReachedWhereAnInputIsGiven)
{
    for (const GoalRow &row : kGoalRows) {
        SCOPED_TRACE(row.name);
        const GoalSeekResult got = SeekGoal(row.inputs, row.target, row.goal, row.input);
        if (!got.failure || !got.boundInput)
            continue;
        QvInputs moved = row.inputs;
        InputOf(moved, row.input) = *got.boundInput;
        const auto reached = TargetAt(moved, row.target);
        if (reached) {
            EXPECT_NEAR(*reached, got.bound, 1e-6 * std::max(1.0, std::abs(got.bound)));
        }
    }
}

// A goal or an input that is not a finite double reaches nothing: a NaN would
// otherwise pass every comparison unnoticed and come back as a number.
TEST(GoalSeek, NonFiniteGoalsAndInputsGiveNoValue)
{
    const QvInputs present = Inputs(0.1, 0.2, 1.05, 2.0, 0.8, 0.5);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const GoalTarget target : { T::MargenQ2, T::MargenQV, T::V2sup, T::MargenP, T::IndexL }) {
        for (const double goal : { nan, inf, -inf }) {
            EXPECT_EQ(SeekGoal(present, target, goal, I::Qcap).failure, F::TooLarge);
        }
        QvInputs broken = present;
        broken.Pcarga = nan;
        EXPECT_EQ(SeekGoal(broken, target, 1.0, I::Qcap).failure, F::TooLarge);
        broken = present;
        broken.B = inf;
        EXPECT_EQ(SeekGoal(broken, target, 1.0, I::Uinf).failure, F::TooLarge);
    }
}

} // namespace
} // namespace tarvilo
