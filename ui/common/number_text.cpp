#include "ui/common/number_text.h"

#include "core/number_format.h"

#include <string>

namespace tarvilo {

QString ExactText(double value, const RegionalSettings &regional)
{
    return QString::fromStdString(ToGeneralText(value, regional));
}

QString RoundedText(double value, const RegionalSettings &regional)
{
    std::string text = FormatWithPattern(value, "0.####", regional);
    if (text.ends_with(regional.decimalSeparator))
        text.resize(text.size() - regional.decimalSeparator.size());
    return QString::fromStdString(text);
}

} // namespace tarvilo
