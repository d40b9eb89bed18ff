#pragma once

#include "core/run_host.h"

#include <QString>

namespace tarvilo {

// What the user calls the quantity of an input box: in sentences
// ("Reactancia X") and where room is short ("X").
QString QuantityName(InputBox box);
QString ShortName(InputBox box);

} // namespace tarvilo
