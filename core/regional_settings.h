#pragma once

#include <string>

namespace tarvilo {

// The user's regional number settings, handed in by whoever knows them (the
// window reads them from the system once). Both are UTF-8 texts and may be
// more than one byte long: French groups digits with a narrow no-break space.
// An empty group separator means digits are never grouped.
struct RegionalSettings
{
    std::string decimalSeparator = ".";
    std::string groupSeparator = ",";
};

inline RegionalSettings PointSettings()
{
    return { ".", "," };
}
inline RegionalSettings CommaSettings()
{
    return { ",", "." };
}

} // namespace tarvilo
