#pragma once

#include "core/regional_settings.h"

#include <QString>

#include <optional>

namespace tarvilo {

// A box's text after a step, and where its cursor stands.
struct SteppedText {
    QString text;
    int cursor = 0;
};

// Adds units of the digit just left of the cursor (of the last digit when
// the cursor is at the end, of the units when it is before every digit):
// with the cursor after "1" in "10.48", one unit gives "20.48"; with the
// cursor before it, "11.48". The number of decimals and the regional
// separator are kept, a step through zero gives a negative value ("0.00"
// down one is "-0.01"), and the cursor keeps its place among the digits.
// A text that is not a number (such as "Error"), or a step that would leave
// the range of the numbers ("1e308" up), does not step: nullopt.
std::optional<SteppedText> StepValue(const QString& text, int cursor, int units, const RegionalSettings& regional);

}  // namespace tarvilo
