#pragma once

#include <cstdint>

namespace kob {

// The master volume's three faces: the mixer value (0..65535), the percent shown (0..100) and the slider
// level counted from the top of the track (0 = full volume, 100 = silence). The knob's Top is in twips.
inline constexpr double kMixerFullScale = 65535.0;
inline constexpr double kKnobTopOfTravel = 470.0;
inline constexpr double kTwipsPerPercent = 13.8;

// value / 65535 x 100, division first, rounded half to even.
std::int32_t PercentFromMixerValue(std::int32_t value);

// (100 - percent) x 13.8 + 470 in double precision, kept as a single-precision number like the knob's Top.
float KnobTopFromPercent(std::int32_t percent);

// 65535 / 100 x (100 - level), in that order, rounded half to even. Levels outside 0..100 are clamped first
// so that no value outside the mixer's range is ever written.
std::int32_t MixerValueFromLevel(std::int32_t level);

// (Top - 470) / 13.8, rounded half to even. Not clamped: callers decide what a level outside 0..100 means.
std::int32_t LevelFromKnobTop(float knobTop);

} // namespace kob
