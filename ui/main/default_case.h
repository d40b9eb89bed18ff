#pragma once

#include "core/regional_settings.h"
#include "core/run_host.h"

namespace tarvilo {

// The built-in default case, spelt once with "." and once with ",".
struct DefaultCase {
    const char* texts[6];  // in box order: X, B, Uinf, Pcarga, Qcarga, Qcap

    const char* Text(InputBox box) const { return texts[static_cast<int>(box)]; }
};

inline constexpr DefaultCase kDefaultCasePoint{{"0.03", "3.33", "1.00", "10.48", "0.00", "0.00"}};
inline constexpr DefaultCase kDefaultCaseComma{{"0,03", "3,33", "1,00", "10,48", "0,00", "0,00"}};

// The set written first: the one spelt with the regional decimal separator
// ("." for any separator but ","). The other is the start-up fallback.
inline bool CommaSetFirst(const RegionalSettings& regional) { return regional.decimalSeparator == ","; }

}  // namespace tarvilo
