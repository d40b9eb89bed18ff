#pragma once

// Physical data of the two-bus network (kV, MVA, ohm, microsiemens, MW,
// Mvar) to the six per-unit inputs and back. The bases are a power S_base
// and a voltage U_base at the load bus's level, so Z_base = U_base^2 /
// S_base. The line is a pi model: B is the whole shunt susceptance of the
// circuits in parallel, half of which the model places at bus 2; the bank
// is a fixed susceptance, so its rated power is brought to U_base with the
// square of the voltages.

#include "core/qv_types.h"

#include <optional>

namespace tarvilo {

// How the line's reactance and susceptance are given: per kilometre of one
// circuit, or for the whole length of one circuit.
enum class LineValues { PerKm, Total };
// How the load is given: P and Q, or P and its power factor.
enum class LoadValues { PowerAndReactive, PowerFactor };
enum class PowerFactorKind { Inductive, Capacitive };

struct PhysicalData
{
    double baseMva = 100.0; // S_base
    double baseKv = 132.0; // U_base, at the load bus
    double lengthKm = 1.0; // read only with LineValues::PerKm
    LineValues lineValues = LineValues::PerKm;
    double reactance = 0.0; // ohm/km or ohm, one circuit
    double susceptance = 0.0; // microsiemens/km or microsiemens, one circuit
    int circuits = 1; // in parallel: 1 or 2
    double sourceKv = 132.0;
    LoadValues loadValues = LoadValues::PowerAndReactive;
    double loadMw = 0.0;
    double loadMvar = 0.0; // read only with LoadValues::PowerAndReactive; positive inductive
    double powerFactor = 1.0; // read only with LoadValues::PowerFactor
    PowerFactorKind powerFactorKind = PowerFactorKind::Inductive;
    double bankMvar = 0.0; // at its rated voltage; positive capacitive
    double bankRatedKv = 132.0;
};

// The quantity of PhysicalData a fault is about.
enum class PhysicalField {
    BaseMva,
    BaseKv,
    LengthKm,
    Reactance,
    Susceptance,
    Circuits,
    SourceKv,
    LoadMw,
    LoadMvar,
    PowerFactor,
    BankMvar,
    BankRatedKv,
};

enum class PhysicalProblem {
    NotFinite,
    NotPositive, // zero or negative where only a positive value makes sense
    Negative,
    NotOneOrTwo,
    OutsideUnitInterval, // a power factor outside (0, 1]
    ResultOutOfRange, // the per-unit value overflows
};

struct PhysicalFault
{
    PhysicalField field = PhysicalField::BaseMva;
    PhysicalProblem problem = PhysicalProblem::NotFinite;
};

// The first value of data that makes no sense, in the order of the fields.
std::optional<PhysicalFault> CheckPhysical(const PhysicalData &data);

struct PerUnitConversion
{
    QvInputs inputs; // meaningful only without a fault
    std::optional<PhysicalFault> fault;
};

double BaseImpedance(const PhysicalData &data); // ohm

// X, B, Uinf, Pcarga, Qcarga, Qcap of data, or why there are none.
PerUnitConversion ToPerUnit(const PhysicalData &data);

// The physical values of per-unit inputs, in the form of shape: its bases,
// length, circuits, bank rating and ways of giving the line and the load.
// Both the load's Mvar and its power factor are filled (the factor 1 where
// P and Q are both 0). shape passes CheckPhysical.
PhysicalData ToPhysical(const QvInputs &inputs, const PhysicalData &shape);

// The same network with one of its two circuits out.
PhysicalData WithOneCircuitOut(const PhysicalData &data);

// The bases of a case whose inputs came from physical data, to read its
// results in physical units.
struct PhysicalBases
{
    double baseMva = 1.0;
    double baseKv = 1.0;

    double kv(double perUnit) const { return perUnit * baseKv; }
    double mw(double perUnit) const { return perUnit * baseMva; }
    double mvar(double perUnit) const { return perUnit * baseMva; }
    double ohm(double perUnit) const { return perUnit * baseKv * baseKv / baseMva; }
    double microsiemens(double perUnit) const { return perUnit * baseMva / (baseKv * baseKv) * 1e6; }
};

inline PhysicalBases BasesOf(const PhysicalData &data)
{
    return { data.baseMva, data.baseKv };
}

} // namespace tarvilo
