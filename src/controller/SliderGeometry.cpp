#include "controller/SliderGeometry.h"

#include <algorithm>

namespace kob {

Twips SliderGeometry::KnobTopAt(std::int32_t percent) {
    return kTopOfTravel + kLevelHeight * (100.0 - percent);
}

std::int32_t SliderGeometry::LevelAt(Twips knobTop) {
    return RoundToInt32((knobTop - kTopOfTravel) / kLevelHeight);
}

std::int32_t SliderGeometry::PercentOfLevel(std::int32_t level) {
    return 100 - std::clamp<std::int32_t>(level, 0, 100);
}

KnobDragStep SliderGeometry::Drag(Twips knobTop, Twips travel) {
    const Twips moved = knobTop + travel;
    if (moved <= kTopOfTravel) {
        return {kTopOfTravel, true};
    }
    if (moved > kDragStop) {
        return {kDragStop, true};
    }
    return {moved, false};
}

Twips SliderGeometry::KnobTopForTrackPoint(Twips pointerY) {
    return pointerY + kTrackPointToKnobTop;
}

} // namespace kob
