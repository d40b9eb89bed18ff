#include "core/per_unit.h"

#include "tests/support/default_inputs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>

namespace tarvilo {
namespace {

using testing::Inputs;

// The README's example: a double 132 kV line of 85 km, 60 MW at a power
// factor of 0,92 inductive, a bank of 20 Mvar rated at 138 kV, 100 MVA base.
PhysicalData WorkedExample()
{
    PhysicalData data;
    data.baseMva = 100;
    data.baseKv = 132;
    data.lengthKm = 85;
    data.lineValues = LineValues::PerKm;
    data.reactance = 0.41;
    data.susceptance = 2.8;
    data.circuits = 2;
    data.sourceKv = 138;
    data.loadValues = LoadValues::PowerFactor;
    data.loadMw = 60;
    data.powerFactor = 0.92;
    data.powerFactorKind = PowerFactorKind::Inductive;
    data.bankMvar = 20;
    data.bankRatedKv = 138;
    return data;
}

void ExpectRelative(double actual, double expected, double tolerance, const char *name)
{
    if (expected == 0) {
        EXPECT_LE(std::abs(actual), tolerance) << name;
        return;
    }
    EXPECT_LE(std::abs(actual / expected - 1.0), tolerance) << name << ": " << actual << " against " << expected;
}

void ExpectInputs(const QvInputs &actual, const QvInputs &expected, double tolerance)
{
    ExpectRelative(actual.X, expected.X, tolerance, "X");
    ExpectRelative(actual.B, expected.B, tolerance, "B");
    ExpectRelative(actual.Uinf, expected.Uinf, tolerance, "Uinf");
    ExpectRelative(actual.Pcarga, expected.Pcarga, tolerance, "Pcarga");
    ExpectRelative(actual.Qcarga, expected.Qcarga, tolerance, "Qcarga");
    ExpectRelative(actual.Qcap, expected.Qcap, tolerance, "Qcap");
}

// Expected values from the formulas evaluated in 50-digit arithmetic
// (mpmath), Qcarga as P tan(acos pf).
TEST(PerUnit, WorkedExampleAgreesWithExactArithmetic)
{
    const PerUnitConversion conversion = ToPerUnit(WorkedExample());
    ASSERT_FALSE(conversion.fault);
    ExpectInputs(conversion.inputs,
                 Inputs(0.10000573921028466483, 0.08293824, 1.0454545454545454545, 0.6, 0.25559892968172293199,
                        0.18298676748582230624),
                 4e-16);
}

TEST(PerUnit, LoadAndLineForms)
{
    struct Row
    {
        const char *name;
        std::function<void(PhysicalData &)> change;
        QvInputs expected;
    };
    const QvInputs example = ToPerUnit(WorkedExample()).inputs;
    const auto with = [&example](auto change) {
        QvInputs inputs = example;
        change(inputs);
        return inputs;
    };
    const Row rows[] = {
        { "capacitive power factor",
          [](PhysicalData &d) {
              d.loadMw = 100;
              d.powerFactor = 0.8;
              d.powerFactorKind = PowerFactorKind::Capacitive;
          },
          with([](QvInputs &i) {
              i.Pcarga = 1;
              i.Qcarga = -0.75;
          }) },
        { "generator at an inductive factor",
          [](PhysicalData &d) {
              d.loadMw = -100;
              d.powerFactor = 0.8;
          },
          with([](QvInputs &i) {
              i.Pcarga = -1;
              i.Qcarga = 0.75;
          }) },
        { "P and Q",
          [](PhysicalData &d) {
              d.loadValues = LoadValues::PowerAndReactive;
              d.loadMw = 50;
              d.loadMvar = -20;
              d.powerFactor = 7; // not read
          },
          with([](QvInputs &i) {
              i.Pcarga = 0.5;
              i.Qcarga = -0.2;
          }) },
        { "totals of one circuit",
          [](PhysicalData &d) {
              d.lineValues = LineValues::Total;
              d.reactance = 0.41 * 85;
              d.susceptance = 2.8 * 85;
              d.lengthKm = 0; // not read
          },
          example },
        { "one circuit", [](PhysicalData &d) { d = WithOneCircuitOut(d); }, with([](QvInputs &i) {
              i.X *= 2;
              i.B /= 2;
          }) },
        { "bank at the base voltage", [](PhysicalData &d) { d.bankRatedKv = 132; },
          with([](QvInputs &i) { i.Qcap = 0.2; }) },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        PhysicalData data = WorkedExample();
        row.change(data);
        const PerUnitConversion conversion = ToPerUnit(data);
        ASSERT_FALSE(conversion.fault);
        ExpectInputs(conversion.inputs, row.expected, 1e-15);
    }
}

// Per unit -> physical -> per unit over bases, lines and loads of every
// form the dialog offers.
TEST(PerUnit, RoundTripKeepsTwelveDigits)
{
    std::mt19937_64 random(20261209);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto between = [&](double low, double high) { return low + (high - low) * unit(random); };
    for (int i = 0; i < 1000; ++i) {
        PhysicalData shape;
        shape.baseMva = between(1, 1000);
        shape.baseKv = between(0.4, 765);
        shape.lengthKm = between(0.1, 800);
        shape.lineValues = unit(random) < 0.5 ? LineValues::PerKm : LineValues::Total;
        shape.circuits = unit(random) < 0.5 ? 1 : 2;
        shape.loadValues = unit(random) < 0.5 ? LoadValues::PowerAndReactive : LoadValues::PowerFactor;
        shape.bankRatedKv = shape.baseKv * between(0.8, 1.25);
        shape.reactance = 1; // the values come from the inputs
        ASSERT_FALSE(CheckPhysical(shape));

        QvInputs inputs = Inputs(between(0.001, 2), unit(random) < 0.1 ? 0.0 : between(0, 5), between(0.8, 1.2),
                                 between(-20, 20), between(-5, 5), between(-2, 3));
        if (shape.loadValues == LoadValues::PowerFactor) {
            // Near a factor of 1 the factor itself holds too few digits of Q:
            // keep |Q| at least a fifth of |P|.
            const double ratio = between(0.2, 20) * (unit(random) < 0.5 ? -1 : 1);
            inputs.Qcarga = std::abs(inputs.Pcarga) * ratio;
        }
        SCOPED_TRACE(i);
        const PerUnitConversion back = ToPerUnit(ToPhysical(inputs, shape));
        ASSERT_FALSE(back.fault);
        ExpectInputs(back.inputs, inputs, 1e-12);
    }
}

TEST(PerUnit, PhysicalValuesOfTheWorkedExample)
{
    const PhysicalData data = WorkedExample();
    const PhysicalData back = ToPhysical(ToPerUnit(data).inputs, data);
    ExpectRelative(back.reactance, 0.41, 1e-15, "x");
    ExpectRelative(back.susceptance, 2.8, 1e-15, "b");
    ExpectRelative(back.sourceKv, 138, 1e-15, "U");
    ExpectRelative(back.powerFactor, 0.92, 1e-15, "pf");
    EXPECT_EQ(back.powerFactorKind, PowerFactorKind::Inductive);
    ExpectRelative(back.bankMvar, 20, 1e-15, "bank");
    const PhysicalBases bases = BasesOf(data);
    ExpectRelative(bases.ohm(ToPerUnit(data).inputs.X), 0.41 * 85 / 2, 1e-15, "ohm");
    ExpectRelative(bases.microsiemens(ToPerUnit(data).inputs.B), 2.8 * 85 * 2, 1e-15, "microsiemens");
}

TEST(PerUnit, NonsenseGivesItsReasonAndNoNumber)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Row
    {
        const char *name;
        std::function<void(PhysicalData &)> change;
        PhysicalField field;
        PhysicalProblem problem;
    };
    const Row rows[] = {
        { "base power 0", [](PhysicalData &d) { d.baseMva = 0; }, PhysicalField::BaseMva,
          PhysicalProblem::NotPositive },
        { "negative base voltage", [](PhysicalData &d) { d.baseKv = -132; }, PhysicalField::BaseKv,
          PhysicalProblem::NotPositive },
        { "length 0", [](PhysicalData &d) { d.lengthKm = 0; }, PhysicalField::LengthKm, PhysicalProblem::NotPositive },
        { "length NaN", [nan](PhysicalData &d) { d.lengthKm = nan; }, PhysicalField::LengthKm,
          PhysicalProblem::NotFinite },
        { "reactance 0", [](PhysicalData &d) { d.reactance = 0; }, PhysicalField::Reactance,
          PhysicalProblem::NotPositive },
        { "negative susceptance", [](PhysicalData &d) { d.susceptance = -1; }, PhysicalField::Susceptance,
          PhysicalProblem::Negative },
        { "no circuit", [](PhysicalData &d) { d.circuits = 0; }, PhysicalField::Circuits,
          PhysicalProblem::NotOneOrTwo },
        { "three circuits", [](PhysicalData &d) { d.circuits = 3; }, PhysicalField::Circuits,
          PhysicalProblem::NotOneOrTwo },
        { "source at 0 kV", [](PhysicalData &d) { d.sourceKv = 0; }, PhysicalField::SourceKv,
          PhysicalProblem::NotPositive },
        { "infinite load", [inf](PhysicalData &d) { d.loadMw = -inf; }, PhysicalField::LoadMw,
          PhysicalProblem::NotFinite },
        { "power factor 0", [](PhysicalData &d) { d.powerFactor = 0; }, PhysicalField::PowerFactor,
          PhysicalProblem::OutsideUnitInterval },
        { "power factor above 1", [](PhysicalData &d) { d.powerFactor = 1.0000000000000002; },
          PhysicalField::PowerFactor, PhysicalProblem::OutsideUnitInterval },
        { "negative power factor", [](PhysicalData &d) { d.powerFactor = -0.9; }, PhysicalField::PowerFactor,
          PhysicalProblem::OutsideUnitInterval },
        { "bank rated at 0 kV", [](PhysicalData &d) { d.bankRatedKv = 0; }, PhysicalField::BankRatedKv,
          PhysicalProblem::NotPositive },
        { "Mvar NaN, given as P and Q",
          [nan](PhysicalData &d) {
              d.loadValues = LoadValues::PowerAndReactive;
              d.loadMvar = nan;
          },
          PhysicalField::LoadMvar, PhysicalProblem::NotFinite },
        { "reactance beyond the doubles in per unit", [](PhysicalData &d) { d.reactance = 1e307; },
          PhysicalField::Reactance, PhysicalProblem::ResultOutOfRange },
        { "bank beyond the doubles in per unit",
          [](PhysicalData &d) {
              d.bankMvar = 1e308;
              d.bankRatedKv = 1e-3;
          },
          PhysicalField::BankMvar, PhysicalProblem::ResultOutOfRange },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        PhysicalData data = WorkedExample();
        row.change(data);
        const PerUnitConversion conversion = ToPerUnit(data);
        ASSERT_TRUE(conversion.fault);
        EXPECT_EQ(conversion.fault->field, row.field);
        EXPECT_EQ(conversion.fault->problem, row.problem);
    }
}

} // namespace
} // namespace tarvilo
