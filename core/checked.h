#pragma once

#include "core/run_fault.h"

#include <cmath>
#include <string>

namespace tarvilo {

// Double arithmetic that stops where C++ would go on silently: a division
// by zero, a square root of a negative number, or a result beyond the range
// of a double raises an ArithmeticFault. Underflow to zero is no fault.
// Operators keep C++'s left-to-right grouping, so a formula written as the
// model states it is evaluated in that order.
enum class ArithmeticFaultKind { DivisionByZero, NegativeSquareRoot, Overflow };

struct ArithmeticFault {
    ArithmeticFaultKind kind;
};

class Checked {
public:
    constexpr Checked(double value) : m_value(value) {}  // NOLINT: implicit on purpose, for literals

    constexpr double value() const { return m_value; }

    friend Checked operator+(Checked a, Checked b) { return Finite(a.m_value + b.m_value); }
    friend Checked operator-(Checked a, Checked b) { return Finite(a.m_value - b.m_value); }
    friend Checked operator*(Checked a, Checked b) { return Finite(a.m_value * b.m_value); }
    friend Checked operator/(Checked a, Checked b)
    {
        if (b.m_value == 0.0) throw ArithmeticFault{ArithmeticFaultKind::DivisionByZero};
        return Finite(a.m_value / b.m_value);
    }
    friend Checked operator-(Checked a) { return Checked(-a.m_value); }

    // A value computed outside this type, checked on the way in.
    static Checked Finite(double value)
    {
        if (!std::isfinite(value)) throw ArithmeticFault{ArithmeticFaultKind::Overflow};
        return Checked(value);
    }

private:

    double m_value;
};

inline Checked Sq(Checked x) { return x * x; }

inline Checked Pow4(Checked x)
{
    const double result = std::pow(x.value(), 4);
    if (!std::isfinite(result)) throw ArithmeticFault{ArithmeticFaultKind::Overflow};
    return result;
}

inline Checked Sqrt(Checked x)
{
    if (x.value() < 0.0) throw ArithmeticFault{ArithmeticFaultKind::NegativeSquareRoot};
    return std::sqrt(x.value());
}

// What the user is told about an arithmetic fault inside one computing step.
struct StepHints {
    const char* where;           // "al calcular el punto crítico"
    const char* divisionByZero;  // which inputs to look at, or ""
    const char* negativeRoot;
};

// Runs one computing step and turns an arithmetic fault inside it into the
// RunFault of that step.
template <typename Body>
void RunCheckedStep(RunStep step, const StepHints& hints, Body&& body)
{
    try {
        body();
    } catch (const ArithmeticFault& fault) {
        std::string description;
        switch (fault.kind) {
        case ArithmeticFaultKind::DivisionByZero:
            description = std::string("División por cero ") + hints.where + ". " + hints.divisionByZero;
            break;
        case ArithmeticFaultKind::NegativeSquareRoot:
            description = std::string("Raíz cuadrada de un número negativo ") + hints.where + ". " + hints.negativeRoot;
            break;
        case ArithmeticFaultKind::Overflow:
            description = std::string("Un valor intermedio excede el rango de los números ") + hints.where +
                          ". Revise que los valores de entrada no sean desmesurados.";
            break;
        }
        while (!description.empty() && description.back() == ' ') description.pop_back();
        throw RunFault(step, description);
    }
}

}  // namespace tarvilo
