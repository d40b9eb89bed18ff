#pragma once

#include "core/regional_settings.h"
#include "core/run_host.h"

#include <QString>

#include <array>

namespace tarvilo {

// The six texts of an input set, in box order.
using InputTexts = std::array<QString, std::size(kInputBoxes)>;

// The built-in default case spelt with the given decimal separator.
InputTexts DefaultCaseSpelt(const QString &decimalSeparator);

// The two sets the window starts with: the second is loaded only when the
// first finds no operating point.
struct StartUpSets
{
    InputTexts first;
    InputTexts second;
};

// First the set spelt with the regional decimal separator, whatever it is
// ("0,03", "0.03", Arabic "0٫03"), then the one spelt with "." (or with ","
// where the regional separator is ".").
StartUpSets DefaultSetsFor(const RegionalSettings &regional);

} // namespace tarvilo
