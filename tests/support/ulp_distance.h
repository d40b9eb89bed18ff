#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace tarvilo::testing {

// How many doubles lie between two finite doubles, counting from one to the
// other (0 for equal values, 1 for neighbours; +0 and -0 are one value); the
// largest count where either is not finite.
inline std::uint64_t UlpDistance(double a, double b)
{
    if (!std::isfinite(a) || !std::isfinite(b))
        return std::numeric_limits<std::uint64_t>::max();
    // The bit patterns in the order of the values.
    const auto ordered = [](double x) {
        const auto bits = std::bit_cast<std::uint64_t>(x);
        constexpr std::uint64_t sign = std::uint64_t{ 1 } << 63;
        return (bits & sign) != 0 ? sign - (bits & ~sign) : sign + bits;
    };
    const std::uint64_t x = ordered(a);
    const std::uint64_t y = ordered(b);
    return x > y ? x - y : y - x;
}

} // namespace tarvilo::testing
