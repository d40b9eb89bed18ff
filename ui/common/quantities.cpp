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
    return QString::fromLatin1(InputName(box));
}

} // namespace tarvilo
