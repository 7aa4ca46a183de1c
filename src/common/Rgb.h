#pragma once

#include <cstdint>

namespace kob {

// A colour by its red, green and blue parts, each 0 to 255.
struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

} // namespace kob
