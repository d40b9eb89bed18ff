#include "core/compensation.h"

#include <cmath>

namespace tarvilo {
namespace {

// A sum carried as a double and the error of its roundings (Neumaier).
struct CompensatedSum
{
    double sum = 0.0;
    double error = 0.0;

    void add(double term)
    {
        const double next = sum + term;
        error += std::abs(sum) >= std::abs(term) ? (sum - next) + term : (term - next) + sum;
        sum = next;
    }
    double value() const { return sum + error; }
};

} // namespace

double UncompensatedFraction(const QvInputs &inputs)
{
    // Each product split into its rounded value and the exact remainder.
    const double halfB = inputs.B / 2;
    const double byQcap = inputs.X * inputs.Qcap;
    const double byHalfB = inputs.X * halfB;
    if (!std::isfinite(byQcap) || !std::isfinite(byHalfB))
        return 1.0 - byQcap - byHalfB;
    CompensatedSum a;
    a.add(1.0);
    a.add(-byQcap);
    a.add(-byHalfB);
    a.add(-std::fma(inputs.X, inputs.Qcap, -byQcap));
    a.add(-std::fma(inputs.X, halfB, -byHalfB));
    return a.value();
}

} // namespace tarvilo
