#include "ui/common/number_text.h"

#include "core/number_format.h"

#include <cmath>
#include <string>

namespace tarvilo {
namespace {

// An infinite or undefined value reads as what it is, never as digits.
QString NonFiniteWord(double value)
{
    if (std::isnan(value))
        return QStringLiteral("indefinido");
    return value < 0 ? QStringLiteral("-∞") : QStringLiteral("∞");
}

} // namespace

QString ExactText(double value, const RegionalSettings &regional)
{
    if (!std::isfinite(value))
        return NonFiniteWord(value);
    return QString::fromStdString(ToGeneralText(value, regional));
}

QString RoundedText(double value, const RegionalSettings &regional)
{
    if (!std::isfinite(value))
        return NonFiniteWord(value);
    // Beyond 15 digits the pattern would pad the integer part with hundreds
    // of zeros, too long for any sentence: such a value goes in exponent form.
    if (std::abs(value) >= 1e15)
        return ExactText(value, regional);
    std::string text = FormatWithPattern(value, "0.####", regional);
    if (text.ends_with(regional.decimalSeparator))
        text.resize(text.size() - regional.decimalSeparator.size());
    return QString::fromStdString(text);
}

} // namespace tarvilo
