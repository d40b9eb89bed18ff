#pragma once

#include "core/regional_settings.h"

#include <cstdint>

namespace tarvilo::fuzz {

// The regional settings a fuzz input asks for with its first byte.
inline RegionalSettings SettingsFor(uint8_t selector)
{
    switch (selector % 4) {
    case 0:
        return PointSettings();
    case 1:
        return CommaSettings();
    case 2:
        return { ",", "\u202F" }; // French: narrow no-break space
    default:
        return { ",", " " };
    }
}

} // namespace tarvilo::fuzz
