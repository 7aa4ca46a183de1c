#include "controller/SliderScale.h"

#include <algorithm>

#include "common/Rounding.h"

namespace kob {

float KnobTopFromPercent(std::int32_t percent) {
    return static_cast<float>((100.0 - percent) * kTwipsPerLevel + kKnobTopOfTravel);
}

std::int32_t LevelFromKnobTop(float knobTop) {
    return RoundToInt32((static_cast<double>(knobTop) - kKnobTopOfTravel) / kTwipsPerLevel);
}

std::int32_t PercentFromLevel(std::int32_t level) {
    return 100 - std::clamp<std::int32_t>(level, 0, 100);
}

} // namespace kob
