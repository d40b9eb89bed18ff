#pragma once

#include "core/regional_settings.h"

#include <string>
#include <string_view>

namespace tarvilo {

// Every text below gives a value beyond the doubles' numbers as a word,
// never as digits: "inf", "-inf" or "nan". The windows say it in words.

// Number patterns of "#" and "0" digit places around a "." that stands for
// the regional decimal separator. The value is taken to 15 significant
// digits first, then rounded half away from zero to the pattern's decimals.
// No digit grouping and never an exponent, however large the value. A
// negative value that rounds to zero is written without its minus sign.
inline constexpr std::string_view kLabelPattern = "#.####";
inline constexpr std::string_view kCurveFilePattern = "0.00000";

std::string FormatWithPattern(double value, std::string_view pattern, const RegionalSettings &regional);

// The general number-to-text conversion: at most 15 significant digits,
// trailing zeros dropped, the regional decimal separator, no grouping, and
// exponent form ("4.1625E-05", "1E+15") for magnitudes below 1E-04 or from
// 1E+15 on.
std::string ToGeneralText(double value, const RegionalSettings &regional);

// The value as its general text reads back: the double nearest to the value
// taken to 15 significant digits. For the few largest doubles, whose 15-digit
// form lies beyond the range, that is the largest double.
double ToFifteenDigitValue(double value);

// A curve-file field: the general text read back and written with "0.00000".
std::string FormatCurveFileField(double value, const RegionalSettings &regional);

} // namespace tarvilo
