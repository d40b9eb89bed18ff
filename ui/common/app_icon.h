#pragma once

#include <QIcon>

namespace tarvilo {

// The program's icon: a Q-V nose curve on a white card, the same shapes as
// the installed org.tarvilo.Tarvilo.svg, drawn here so the windows need no
// image plug-in.
QIcon AppIcon();

} // namespace tarvilo
