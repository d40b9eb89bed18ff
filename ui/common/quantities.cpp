#include "ui/common/quantities.h"

namespace tarvilo {

QString QuantityName(InputBox box)
{
    switch (box) {
    case InputBox::X:
        return QStringLiteral("Reactancia X");
    case InputBox::B:
        return QStringLiteral("Susceptancia B");
    case InputBox::Uinf:
        return QStringLiteral("U inf");
    default:
        return ShortName(box);
    }
}

QString ShortName(InputBox box)
{
    switch (box) {
    case InputBox::X:
        return QStringLiteral("X");
    case InputBox::B:
        return QStringLiteral("B");
    case InputBox::Uinf:
        return QStringLiteral("Uinf");
    case InputBox::Pcarga:
        return QStringLiteral("Pcarga");
    case InputBox::Qcarga:
        return QStringLiteral("Qcarga");
    case InputBox::Qcap:
        return QStringLiteral("Qcap");
    }
    return {};
}

} // namespace tarvilo
