#include "core/per_unit.h"

#include <cmath>

namespace tarvilo {
namespace {

constexpr double kMicro = 1e-6;

std::optional<PhysicalFault> Fault(PhysicalField field, PhysicalProblem problem)
{
    return PhysicalFault{ field, problem };
}

double TotalReactance(const PhysicalData &data)
{
    return data.lineValues == LineValues::PerKm ? data.reactance * data.lengthKm : data.reactance;
}

double TotalSusceptance(const PhysicalData &data) // siemens
{
    const double given = data.lineValues == LineValues::PerKm ? data.susceptance * data.lengthKm : data.susceptance;
    return given * kMicro;
}

// Mvar of a load of P MW at a power factor: |P| tan(acos pf), written with
// the square root so that 1 - pf keeps its digits near a factor of 1.
double ReactiveOfPowerFactor(double mw, double pf, PowerFactorKind kind)
{
    const double magnitude = std::abs(mw) * (std::sqrt((1.0 - pf) * (1.0 + pf)) / pf);
    return kind == PowerFactorKind::Capacitive ? -magnitude : magnitude;
}

double LoadMvar(const PhysicalData &data)
{
    return data.loadValues == LoadValues::PowerFactor
            ? ReactiveOfPowerFactor(data.loadMw, data.powerFactor, data.powerFactorKind)
            : data.loadMvar;
}

// The bank is a susceptance: its power at U_base is its rated power times
// (U_base / U_rated)^2.
double BankRatio(const PhysicalData &data)
{
    const double ratio = data.baseKv / data.bankRatedKv;
    return ratio * ratio;
}

} // namespace

std::optional<PhysicalFault> CheckPhysical(const PhysicalData &data)
{
    const bool perKm = data.lineValues == LineValues::PerKm;
    const bool powerFactor = data.loadValues == LoadValues::PowerFactor;
    struct Value
    {
        PhysicalField field;
        double value;
        bool read;
    };
    const Value values[] = {
        { PhysicalField::BaseMva, data.baseMva, true },
        { PhysicalField::BaseKv, data.baseKv, true },
        { PhysicalField::LengthKm, data.lengthKm, perKm },
        { PhysicalField::Reactance, data.reactance, true },
        { PhysicalField::Susceptance, data.susceptance, true },
        { PhysicalField::SourceKv, data.sourceKv, true },
        { PhysicalField::LoadMw, data.loadMw, true },
        { PhysicalField::LoadMvar, data.loadMvar, !powerFactor },
        { PhysicalField::PowerFactor, data.powerFactor, powerFactor },
        { PhysicalField::BankMvar, data.bankMvar, true },
        { PhysicalField::BankRatedKv, data.bankRatedKv, true },
    };
    for (const Value &v : values) {
        if (v.read && !std::isfinite(v.value))
            return Fault(v.field, PhysicalProblem::NotFinite);
    }
    if (!(data.baseMva > 0))
        return Fault(PhysicalField::BaseMva, PhysicalProblem::NotPositive);
    if (!(data.baseKv > 0))
        return Fault(PhysicalField::BaseKv, PhysicalProblem::NotPositive);
    if (perKm && !(data.lengthKm > 0))
        return Fault(PhysicalField::LengthKm, PhysicalProblem::NotPositive);
    if (!(data.reactance > 0))
        return Fault(PhysicalField::Reactance, PhysicalProblem::NotPositive);
    if (data.susceptance < 0)
        return Fault(PhysicalField::Susceptance, PhysicalProblem::Negative);
    if (data.circuits != 1 && data.circuits != 2)
        return Fault(PhysicalField::Circuits, PhysicalProblem::NotOneOrTwo);
    if (!(data.sourceKv > 0))
        return Fault(PhysicalField::SourceKv, PhysicalProblem::NotPositive);
    if (powerFactor && !(data.powerFactor > 0 && data.powerFactor <= 1))
        return Fault(PhysicalField::PowerFactor, PhysicalProblem::OutsideUnitInterval);
    if (!(data.bankRatedKv > 0))
        return Fault(PhysicalField::BankRatedKv, PhysicalProblem::NotPositive);
    return std::nullopt;
}

double BaseImpedance(const PhysicalData &data)
{
    return data.baseKv * data.baseKv / data.baseMva;
}

PerUnitConversion ToPerUnit(const PhysicalData &data)
{
    PerUnitConversion conversion;
    conversion.fault = CheckPhysical(data);
    if (conversion.fault)
        return conversion;

    const double zBase = BaseImpedance(data);
    const double circuits = data.circuits;
    QvInputs &pu = conversion.inputs;
    pu.X = TotalReactance(data) / (circuits * zBase);
    pu.B = circuits * TotalSusceptance(data) * zBase;
    pu.Uinf = data.sourceKv / data.baseKv;
    pu.Pcarga = data.loadMw / data.baseMva;
    pu.Qcarga = LoadMvar(data) / data.baseMva;
    pu.Qcap = data.bankMvar / data.baseMva * BankRatio(data);

    const PhysicalField loadField =
            data.loadValues == LoadValues::PowerFactor ? PhysicalField::PowerFactor : PhysicalField::LoadMvar;
    const std::pair<double, PhysicalField> results[] = {
        { pu.X, PhysicalField::Reactance },
        { pu.B, PhysicalField::Susceptance },
        { pu.Uinf, PhysicalField::SourceKv },
        { pu.Pcarga, PhysicalField::LoadMw },
        { pu.Qcarga, loadField },
        { pu.Qcap, PhysicalField::BankMvar },
    };
    for (const auto &[value, field] : results) {
        if (!std::isfinite(value)) {
            conversion.fault = PhysicalFault{ field, PhysicalProblem::ResultOutOfRange };
            break;
        }
    }
    return conversion;
}

PhysicalData ToPhysical(const QvInputs &inputs, const PhysicalData &shape)
{
    PhysicalData data = shape;
    const double zBase = BaseImpedance(shape);
    const double circuits = shape.circuits;
    const bool perKm = shape.lineValues == LineValues::PerKm;

    const double reactance = inputs.X * circuits * zBase;
    data.reactance = perKm ? reactance / shape.lengthKm : reactance;
    const double susceptance = inputs.B / (circuits * zBase) / kMicro;
    data.susceptance = perKm ? susceptance / shape.lengthKm : susceptance;
    data.sourceKv = inputs.Uinf * shape.baseKv;
    data.loadMw = inputs.Pcarga * shape.baseMva;
    data.loadMvar = inputs.Qcarga * shape.baseMva;
    const double apparent = std::hypot(data.loadMw, data.loadMvar);
    data.powerFactor = apparent > 0 ? std::abs(data.loadMw) / apparent : 1.0;
    data.powerFactorKind = data.loadMvar < 0 ? PowerFactorKind::Capacitive : PowerFactorKind::Inductive;
    data.bankMvar = inputs.Qcap * shape.baseMva / BankRatio(shape);
    return data;
}

PhysicalData WithOneCircuitOut(const PhysicalData &data)
{
    PhysicalData out = data;
    out.circuits = 1;
    return out;
}

} // namespace tarvilo
