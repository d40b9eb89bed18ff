#pragma once

#include "core/regional_settings.h"

#include <QString>

namespace tarvilo {

// A value to 15 significant digits, as the grid, the files and the hover
// give exact values ("-1,66201141920777").
QString ExactText(double value, const RegionalSettings &regional);

// A value to at most four decimals, with a digit before the separator and
// no separator left dangling: "-1,662", "0,3144", "3"; from 1E+15 up in
// exponent form, "1E+308".
QString RoundedText(double value, const RegionalSettings &regional);

// Both give an infinity as "∞" or "-∞" and an undefined value as "indefinido".

} // namespace tarvilo
