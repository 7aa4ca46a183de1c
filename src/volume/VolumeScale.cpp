#include "volume/VolumeScale.h"

#include <algorithm>

#include "common/Rounding.h"
#include "volume/VolumeDevice.h"

namespace kob {

namespace {

constexpr double kFullScale = VolumeDevice::kDeviceFullScale;

} // namespace

std::int32_t PercentFromDeviceValue(std::int32_t value) {
    return RoundToInt32(value / kFullScale * 100.0);
}

std::int32_t DeviceValueFromPercent(std::int32_t percent) {
    const std::int32_t clamped = std::clamp<std::int32_t>(percent, 0, 100);
    return RoundToInt32(kFullScale / 100.0 * clamped);
}

std::int32_t DeviceValueFromScalar(float scalar) {
    return RoundToInt32(static_cast<double>(scalar) * kFullScale);
}

float ScalarFromDeviceValue(std::int32_t value) {
    return static_cast<float>(value / kFullScale);
}

} // namespace kob
