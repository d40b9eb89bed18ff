#include "ui/common/quantities.h"

namespace tarvilo {

QString QuantityName(InputBox box)
{
    switch (box) {
    case InputBox::X: return QStringLiteral("Reactancia X");
    case InputBox::B: return QStringLiteral("Susceptancia B");
    case InputBox::Uinf: return QStringLiteral("U inf");
    default: return ShortName(box);
    }
}

QString ShortName(InputBox box)
{
    switch (box) {
    case InputBox::X: return QStringLiteral("X");
    case InputBox::B: return QStringLiteral("B");
    case InputBox::Uinf: return QStringLiteral("Uinf");
    case InputBox::Pcarga: return QStringLiteral("Pcarga");
    case InputBox::Qcarga: return QStringLiteral("Qcarga");
    case InputBox::Qcap: return QStringLiteral("Qcap");
    }
    return {};
}

double ValueOf(const QvInputs& inputs, InputBox box)
{
    switch (box) {
    case InputBox::X: return inputs.X;
    case InputBox::B: return inputs.B;
    case InputBox::Uinf: return inputs.Uinf;
    case InputBox::Pcarga: return inputs.Pcarga;
    case InputBox::Qcarga: return inputs.Qcarga;
    case InputBox::Qcap: return inputs.Qcap;
    }
    return 0.0;
}

void SetValue(QvInputs& inputs, InputBox box, double value)
{
    switch (box) {
    case InputBox::X: inputs.X = value; break;
    case InputBox::B: inputs.B = value; break;
    case InputBox::Uinf: inputs.Uinf = value; break;
    case InputBox::Pcarga: inputs.Pcarga = value; break;
    case InputBox::Qcarga: inputs.Qcarga = value; break;
    case InputBox::Qcap: inputs.Qcap = value; break;
    }
}

}  // namespace tarvilo
