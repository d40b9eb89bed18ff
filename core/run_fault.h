#pragma once

#include <stdexcept>
#include <string>

namespace tarvilo {

// Steps of a calculation run at which it can end with a fault.
enum class RunStep : int {
    ReadInputs = 1,
    CriticalPoint = 2,
    SystemSweep = 4,
    LoadSweep = 5,
    CurveFile = 6,
    OperatingPoints = 7,
    LoadChart = 11,
};

// A calculation run that could not be completed: the step where it stopped
// and a Spanish description for the user. Whatever earlier steps wrote stays.
class RunFault : public std::runtime_error {
public:
    RunFault(RunStep step, const std::string& description)
        : std::runtime_error(description), m_step(step) {}

    RunStep step() const { return m_step; }
    std::string description() const { return what(); }

private:
    RunStep m_step;
};

}  // namespace tarvilo
