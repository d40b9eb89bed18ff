#pragma once

#include "core/run_fault.h"

#include <cmath>

namespace tarvilo {

// Double arithmetic that stops where C++ would go on silently: a division
// by zero, a square root of a negative number, or a result beyond the range
// of a double raises an ArithmeticFault. Underflow to zero is no fault.
// Operators keep C++'s left-to-right grouping, so a formula written as the
// model states it is evaluated in that order.
struct ArithmeticFault
{
    FaultCause cause; // DivisionByZero, NegativeSquareRoot or Overflow
};

class Checked
{
public:
    constexpr Checked(double value) : m_value(value) { } // NOLINT: implicit on purpose, for literals

    constexpr double value() const { return m_value; }

    friend Checked operator+(Checked a, Checked b) { return finite(a.m_value + b.m_value); }
    friend Checked operator-(Checked a, Checked b) { return finite(a.m_value - b.m_value); }
    friend Checked operator*(Checked a, Checked b) { return finite(a.m_value * b.m_value); }
    friend Checked operator/(Checked a, Checked b)
    {
        if (b.m_value == 0.0)
            throw ArithmeticFault{ FaultCause::DivisionByZero };
        return finite(a.m_value / b.m_value);
    }
    friend Checked operator-(Checked a) { return Checked(-a.m_value); }

    // A value computed outside this type, checked on the way in.
    static Checked finite(double value)
    {
        if (!std::isfinite(value))
            throw ArithmeticFault{ FaultCause::Overflow };
        return Checked(value);
    }

private:
    double m_value;
};

inline Checked Sq(Checked x)
{
    return x * x;
}

inline Checked Pow4(Checked x)
{
    const double result = std::pow(x.value(), 4);
    if (!std::isfinite(result))
        throw ArithmeticFault{ FaultCause::Overflow };
    return result;
}

inline Checked Sqrt(Checked x)
{
    if (x.value() < 0.0)
        throw ArithmeticFault{ FaultCause::NegativeSquareRoot };
    return std::sqrt(x.value());
}

// Runs one computing step and turns an arithmetic fault inside it into the
// RunFault of that step.
template <typename Body>
void RunCheckedStep(RunStep step, Body &&body)
{
    try {
        body();
    } catch (const ArithmeticFault &fault) {
        throw RunFault(step, fault.cause);
    }
}

} // namespace tarvilo
