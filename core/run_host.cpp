#include "core/run_host.h"

namespace tarvilo {

const char* ControlName(InputBox box)
{
    switch (box) {
    case InputBox::X: return "txtX";
    case InputBox::B: return "txtB";
    case InputBox::Uinf: return "txtUinf";
    case InputBox::Pcarga: return "txtPcarga";
    case InputBox::Qcarga: return "txtQcarga";
    case InputBox::Qcap: return "txtQcap";
    }
    return "";
}

const char* ControlName(ResultLabel label)
{
    switch (label) {
    case ResultLabel::MargenQ2: return "lblMargenQ2";
    case ResultLabel::V2min: return "lblV2min";
    case ResultLabel::V2sup: return "lblV2sup";
    case ResultLabel::Q2sup: return "lblQ2sup";
    case ResultLabel::V2inf: return "lblV2inf";
    case ResultLabel::Q2inf: return "lblQ2inf";
    }
    return "";
}

const char* UserName(InputBox box)
{
    switch (box) {
    case InputBox::X: return "Reactancia X";
    case InputBox::B: return "Susceptancia B";
    case InputBox::Uinf: return "U inf";
    case InputBox::Pcarga: return "Pcarga";
    case InputBox::Qcarga: return "Qcarga";
    case InputBox::Qcap: return "Qcap";
    }
    return "";
}

}  // namespace tarvilo
