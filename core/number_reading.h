#pragma once

#include "core/regional_settings.h"

#include <optional>
#include <string_view>

namespace tarvilo {

// Reads a text as a number by the program's input rule: blanks around the
// number are ignored; an optional sign; digits in which the regional group
// separator may stand after any digit of the integer part; the regional
// decimal separator with an optional fraction; an optional exponent (E or e,
// an optional sign and at least one digit). At least one mantissa digit is
// needed, so "0.", ".5" and "5." are numbers while ".", "-" and "" are not.
//
// The value is the double nearest to the number read. A number beyond the
// range of a double is not a number (nullopt); one that underflows reads as
// 0 or a subnormal. The result never depends on the C locale.
//
// The window's input check and the calculation run both use this function,
// so a text that passes the check can always be read by the run; stepping a
// value scans its text by the same grammar (core/number_scanning.h).
std::optional<double> ReadRegionalNumber(std::string_view text, const RegionalSettings &regional);

} // namespace tarvilo
