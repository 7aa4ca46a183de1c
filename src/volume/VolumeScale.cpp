#include "volume/VolumeScale.h"

#include <algorithm>

#include "common/Rounding.h"
#include "volume/VolumeDevice.h"

namespace kob {

namespace {

constexpr double kFullScale = VolumeDevice::kDeviceFullScale;

} // namespace

// In whole numbers: where the floating-point unit carries more than double precision (the x87 of a 32-bit build),
// 65535 / 100 x 70 comes out a trace above its exact half and would round up.
std::int32_t PercentFromDeviceValue(std::int32_t value) {
    // No value lies exactly halfway between two percents: 65535 is odd.
    constexpr std::int64_t kFull = VolumeDevice::kDeviceFullScale;
    return static_cast<std::int32_t>((std::int64_t{value} * 100 + kFull / 2) / kFull);
}

std::int32_t DeviceValueFromPercent(std::int32_t percent) {
    const std::int64_t scaled =
        std::int64_t{VolumeDevice::kDeviceFullScale} * std::clamp<std::int32_t>(percent, 0, 100);
    const std::int64_t whole = scaled / 100;
    const std::int64_t rest = scaled % 100;
    return static_cast<std::int32_t>(whole + (rest > 50 || (rest == 50 && whole % 2 == 1) ? 1 : 0));
}

std::int32_t DeviceValueFromScalar(float scalar) {
    return RoundToInt32(static_cast<double>(scalar) * kFullScale);
}

float ScalarFromDeviceValue(std::int32_t value) {
    return static_cast<float>(value / kFullScale);
}

} // namespace kob
