// Fuzzes the regional number reading. First byte: the regional settings;
// the rest: the text. Checked: an accepted text gives a finite value whose
// general text reads back to the same 15-digit value.
#include "core/number_format.h"
#include "core/number_reading.h"
#include "fuzz_settings.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const tarvilo::RegionalSettings regional = tarvilo::fuzz::SettingsFor(data[0]);
    const std::string_view text(reinterpret_cast<const char *>(data + 1), size - 1);
    const std::optional<double> value = tarvilo::ReadRegionalNumber(text, regional);
    if (!value)
        return 0;
    if (!std::isfinite(*value))
        std::abort();
    const std::string general = tarvilo::ToGeneralText(*value, regional);
    const std::optional<double> back = tarvilo::ReadRegionalNumber(general, regional);
    const double fifteen = tarvilo::ToFifteenDigitValue(*value);
    if (back ? *back != fifteen : std::abs(fifteen) != std::numeric_limits<double>::max())
        std::abort();
    return 0;
}
