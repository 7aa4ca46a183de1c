#pragma once

#include <cstdint>

namespace kob {

// The volume slider's scale: the knob's Top in twips against the slider level, counted from the top of the track
// (0 = full volume, 100 = silence), one level a step of 13.8 twips below the top of the knob's travel.
inline constexpr double kKnobTopOfTravel = 470.0;
inline constexpr double kTwipsPerLevel = 13.8;

// (100 - percent) x 13.8 + 470 in double precision, kept as a single-precision number like the knob's Top.
float KnobTopFromPercent(std::int32_t percent);

// (Top - 470) / 13.8, rounded half to even. Not clamped: callers decide what a level outside 0..100 means.
std::int32_t LevelFromKnobTop(float knobTop);

// The percent of a level; a level beyond either end of the track is taken as that end.
std::int32_t PercentFromLevel(std::int32_t level);

} // namespace kob
