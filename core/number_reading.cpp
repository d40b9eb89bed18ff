#include "core/number_reading.h"

#include "core/number_scanning.h"

namespace tarvilo {

std::optional<double> ReadRegionalNumber(std::string_view text, const RegionalSettings &regional)
{
    const std::optional<ScannedNumber> number = ScanNumber(text, regional);
    if (!number)
        return std::nullopt;
    return ValueOf(*number);
}

} // namespace tarvilo
