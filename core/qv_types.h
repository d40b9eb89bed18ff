#pragma once

#include <array>

namespace tarvilo {

// The six inputs of a run and the hidden "Agregar" flag. Per unit throughout.
struct QvInputs
{
    double X = 0.0; // line reactance
    double B = 0.0; // line shunt susceptance; half of it sits at bus 2
    double Uinf = 0.0; // source bus voltage
    double Pcarga = 0.0; // active power of the load
    double Qcarga = 0.0; // reactive power of the load
    double Qcap = 0.0; // capacitor bank at bus 2
    bool Agregar = false;
};

// The scalar results. The four operating-point members are set only when
// HasSolution is true; otherwise they keep an earlier run's values, which
// nothing shows.
struct QvResults
{
    double Q2crit = 0.0;
    double V2crit = 0.0;
    double V2min = 0.0;
    double MargenQ2 = 0.0;
    double Discriminant = 0.0;
    bool HasSolution = false;
    double V2sup = 0.0;
    double Q2sup = 0.0;
    double V2inf = 0.0;
    double Q2inf = 0.0;
};

// Points of the two characteristics. Indices 1 to 300 hold the points;
// index 0 exists but is never written or read.
inline constexpr int kCurvePoints = 300;

struct QvCurves
{
    using Curve = std::array<double, kCurvePoints + 1>;
    Curve q2{}; // system characteristic: reactive power
    Curve vu{}; //   upper-branch voltage at q2(i)
    Curve vl{}; //   lower-branch voltage at q2(i)
    Curve v2{}; // load characteristic: voltage
    Curve qcapr{}; //   reactive power at v2(i)
};

// The equivalent shunt susceptance at bus 2: the capacitor bank plus the
// half of the line susceptance that the model places there. Never stored.
inline double Beq(const QvInputs &inputs)
{
    return inputs.Qcap + inputs.B / 2;
}

} // namespace tarvilo
