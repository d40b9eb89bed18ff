#pragma once

#include "core/run_host.h"

#include <exception>
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

// Why a step could not be completed.
enum class FaultCause {
    UnreadableInput, // a box whose text is not a number: box()
    DivisionByZero,
    NegativeSquareRoot,
    Overflow, // a value beyond the range of a double
    FileNotWritten, // the curve file: path() and fileFailure()
    BeyondChartScale, // Q2crit outside the chart's 16-bit scale: value()
};

// Why a file could not be written, as the system reported it.
enum class FileFailure {
    NoPermission, // no right to write in the folder, or a read-only medium
    ReadOnlyFile, // the file itself may not be written
    DiskFull,
    FileTooLarge, // beyond the file-size limit of the process
    FolderMissing, // the folder no longer exists
    FolderInTheWay, // a folder stands where the file should be
    Other,
};

// A calculation run that could not be completed: the step where it stopped
// and what went wrong, in numbers. The window words it for the user.
// Whatever earlier steps wrote stays.
class RunFault : public std::exception
{
public:
    RunFault(RunStep step, FaultCause cause) : m_step(step), m_cause(cause) { }

    static RunFault unreadableInput(InputBox box);
    static RunFault fileNotWritten(std::string path, FileFailure failure);
    static RunFault beyondChartScale(double q2crit);

    RunStep step() const { return m_step; }
    FaultCause cause() const { return m_cause; }
    InputBox box() const { return m_box; }
    const std::string &path() const { return m_path; }
    FileFailure fileFailure() const { return m_fileFailure; }
    double value() const { return m_value; }

    const char *what() const noexcept override { return "calculation run ended at a fault"; }

private:
    RunStep m_step;
    FaultCause m_cause;
    InputBox m_box = InputBox::X;
    std::string m_path;
    FileFailure m_fileFailure = FileFailure::Other;
    double m_value = 0.0;
};

inline RunFault RunFault::unreadableInput(InputBox box)
{
    RunFault fault(RunStep::ReadInputs, FaultCause::UnreadableInput);
    fault.m_box = box;
    return fault;
}

inline RunFault RunFault::fileNotWritten(std::string path, FileFailure failure)
{
    RunFault fault(RunStep::CurveFile, FaultCause::FileNotWritten);
    fault.m_path = std::move(path);
    fault.m_fileFailure = failure;
    return fault;
}

inline RunFault RunFault::beyondChartScale(double q2crit)
{
    RunFault fault(RunStep::LoadChart, FaultCause::BeyondChartScale);
    fault.m_value = q2crit;
    return fault;
}

} // namespace tarvilo
