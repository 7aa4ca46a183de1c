#include "mixer/VolumeScale.h"

#include <algorithm>

#include "common/Rounding.h"

namespace kob {

std::int32_t PercentFromMixerValue(std::int32_t value) {
    return RoundToInt32(value / kMixerFullScale * 100.0);
}

float KnobTopFromPercent(std::int32_t percent) {
    return static_cast<float>((100.0 - percent) * kTwipsPerPercent + kKnobTopOfTravel);
}

std::int32_t MixerValueFromLevel(std::int32_t level) {
    const std::int32_t clamped = std::clamp<std::int32_t>(level, 0, 100);
    return RoundToInt32(kMixerFullScale / 100.0 * (100.0 - clamped));
}

std::int32_t LevelFromKnobTop(float knobTop) {
    return RoundToInt32((static_cast<double>(knobTop) - kKnobTopOfTravel) / kTwipsPerPercent);
}

} // namespace kob
