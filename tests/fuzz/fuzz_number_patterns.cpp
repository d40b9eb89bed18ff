// Fuzzes both number patterns with arbitrary doubles. Checked: no exponent,
// no "nan" or "inf"; a pattern text that the reading accepts reads back to
// the value rounded as the pattern says, and formats to the same text again.
#include "core/number_format.h"
#include "core/number_reading.h"
#include "fuzz_settings.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

void CheckPattern(double value, std::string_view pattern, double halfStep, const tarvilo::RegionalSettings &regional)
{
    const std::string text = tarvilo::FormatWithPattern(value, pattern, regional);
    if (text.empty() || text.find_first_of("eEn") != std::string::npos)
        std::abort();
    const std::optional<double> back = tarvilo::ReadRegionalNumber(text, regional);
    if (!back) {
        if (text != regional.decimalSeparator)
            std::abort(); // only the bare "." of zero is no number
        return;
    }
    // Rounded to the pattern's decimals: within half a step (and the
    // 15-digit cut) of the value; formatting the result changes nothing.
    const double tolerance = halfStep + std::abs(value) * 1e-14;
    if (!(std::abs(*back - value) <= tolerance))
        std::abort();
    if (tarvilo::FormatWithPattern(*back, pattern, regional) != text)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 9)
        return 0;
    const tarvilo::RegionalSettings regional = tarvilo::fuzz::SettingsFor(data[0]);
    double value = 0;
    std::memcpy(&value, data + 1, sizeof value);
    if (!std::isfinite(value) || std::abs(value) > 1e30)
        return 0; // huge values: hundreds of digits, same rules
    CheckPattern(value, tarvilo::kLabelPattern, 0.00005, regional);
    CheckPattern(value, tarvilo::kCurveFilePattern, 0.000005, regional);
    return 0;
}
