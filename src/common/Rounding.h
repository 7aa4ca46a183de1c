#pragma once

#include <cmath>
#include <cstdint>

namespace kob {

// Nearest integer with an exact half going to the even neighbour (banker's rounding), independent of the
// floating-point environment's rounding mode.
inline double RoundHalfEven(double value) {
    const double lower = std::floor(value);
    const double fraction = value - lower;
    if (fraction < 0.5) {
        return lower;
    }
    if (fraction > 0.5) {
        return lower + 1.0;
    }
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

inline std::int32_t RoundToInt32(double value) {
    return static_cast<std::int32_t>(RoundHalfEven(value));
}

} // namespace kob
