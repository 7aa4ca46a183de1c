#pragma once

#include <cstdint>

namespace kob {

// The master volume's device scale (0..65535) against the percent the program shows (0..100) and the endpoint's
// scalar (0.0..1.0).

// value / 65535 x 100, division first, rounded half to even.
std::int32_t PercentFromDeviceValue(std::int32_t value);

// 65535 / 100 x percent, in that order, rounded half to even. A percent outside 0..100 is clamped first so that
// no value outside the device's range is ever written.
std::int32_t DeviceValueFromPercent(std::int32_t percent);

// scalar x 65535 rounded half to even, and back as value / 65535 in single precision.
std::int32_t DeviceValueFromScalar(float scalar);
float ScalarFromDeviceValue(std::int32_t value);

} // namespace kob
