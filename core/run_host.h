#pragma once

#include "core/qv_types.h"

#include <string>

namespace tarvilo {

// The six input boxes, in the order a run reads them.
enum class InputBox { X, B, Uinf, Pcarga, Qcarga, Qcap };
inline constexpr InputBox kInputBoxes[] = { InputBox::X,      InputBox::B,      InputBox::Uinf,
                                            InputBox::Pcarga, InputBox::Qcarga, InputBox::Qcap };

// The input quantity a box holds.
inline double &ValueOf(QvInputs &inputs, InputBox box)
{
    switch (box) {
    case InputBox::X:
        return inputs.X;
    case InputBox::B:
        return inputs.B;
    case InputBox::Uinf:
        return inputs.Uinf;
    case InputBox::Pcarga:
        return inputs.Pcarga;
    case InputBox::Qcarga:
        return inputs.Qcarga;
    case InputBox::Qcap:
        break;
    }
    return inputs.Qcap;
}

// The input quantity's own name, as the case and batch files and the
// windows write it.
inline const char *InputName(InputBox box)
{
    switch (box) {
    case InputBox::X:
        return "X";
    case InputBox::B:
        return "B";
    case InputBox::Uinf:
        return "Uinf";
    case InputBox::Pcarga:
        return "Pcarga";
    case InputBox::Qcarga:
        return "Qcarga";
    case InputBox::Qcap:
        break;
    }
    return "Qcap";
}

inline double ValueOf(const QvInputs &inputs, InputBox box)
{
    return ValueOf(const_cast<QvInputs &>(inputs), box);
}

// The six result labels, in the order a run writes them.
enum class ResultLabel { MargenQ2, V2min, V2sup, Q2sup, V2inf, Q2inf };
inline constexpr ResultLabel kResultLabels[] = { ResultLabel::MargenQ2, ResultLabel::V2min, ResultLabel::V2sup,
                                                 ResultLabel::Q2sup,    ResultLabel::V2inf, ResultLabel::Q2inf };

// Everything a calculation run needs from the window, the curve file and
// the chart. The window implements it; tests implement it with a recorder.
// Any operation may throw RunFault to end the run at its step.
class RunHost
{
public:
    virtual ~RunHost() = default;

    virtual std::string readInputText(InputBox box) = 0; // UTF-8
    virtual int readCheckBoxValue() = 0; // chkAgregar: 0, 1 or 2
    virtual void setLabelCaption(ResultLabel label, const std::string &text) = 0;
    virtual void WriteCurveFile(const QvCurves &curves) = 0;
    virtual void RepaintChart(bool agregar) = 0;
    virtual void showNoSolutionMessage() = 0; // returns once the user has closed it
    virtual void LoadChart(double q2crit, const QvCurves &curves) = 0;
};

} // namespace tarvilo
