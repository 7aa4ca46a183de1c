#pragma once

#include <cstdint>

#include "common/Twips.h"

namespace kob {

// Where a move of the pointer during a knob drag puts the knob, and whether the knob reached a stop, which ends the
// drag.
struct KnobDragStep {
    Twips top;
    bool stopped;
};

// The volume slider in the controller window's twips: an invisible track with the knob above it. The knob's Top
// travels from 470 at full volume down to 1850 at silence, a slider level every 13.8 twips. Levels count percents
// from the top: 0 is full volume, 100 silence.
class SliderGeometry {
public:
    static constexpr Twips kTopOfTravel{470};
    // The knob's place at the top of its travel.
    static constexpr TwipsRect kKnob{667, kTopOfTravel.Value(), 225, 285};
    // A click on the track arms it; the next pointer move over it makes the knob jump.
    static constexpr TwipsRect kTrack{652, 495, 255, 1680};

    // Where the knob shows the percent: (100 - percent) x 13.8 below the top of the travel.
    static Twips KnobTopAt(std::int32_t percent);
    // The level of a knob Top, (Top - 470) / 13.8 to the nearest, ties to even. Not bounded: a knob above its travel
    // gives a negative level.
    static std::int32_t LevelAt(Twips knobTop);
    // The percent of a level; a level beyond either end of the travel counts as that end.
    static std::int32_t PercentOfLevel(std::int32_t level);
    // The knob moved with the pointer by the travel. It stops at the top of its travel once it reaches it, and at
    // 1845 once it passes that, 5 twips short of where silence shows it.
    static KnobDragStep Drag(Twips knobTop, Twips travel);
    // Where the knob jumps for a pointer at this Y within the track: 150 twips lower, whether or not that is on the
    // travel.
    static Twips KnobTopForTrackPoint(Twips pointerY);

private:
    static constexpr Twips kLevelHeight{13.8};
    static constexpr Twips kDragStop{1845};
    static constexpr Twips kTrackPointToKnobTop{150};
};

} // namespace kob
