// The volume slider and the window drag of the controller.
#include <string>

#include "common/Rounding.h"
#include "common/TextNumber.h"
#include "controller/Controller.h"
#include "controller/SliderScale.h"

namespace kob {

namespace {

constexpr float kBottomDragLimit = 1845;
// A track click puts the knob's Top this far below the pointer's Y within the track.
constexpr double kTrackClickOffset = 150;

} // namespace

void Controller::ApplyKnobLevel() {
    const std::int32_t level = LevelFromKnobTop(state_.knobTop);
    SetVolumeFromLevel(level);
    ShowVolume();
}

void Controller::OnKnobPressed(int, int, float, float Y) {
    state_.knobGrabY = RoundToInt32(Y);
    state_.knobDragging = true;
}

void Controller::OnKnobDragged(int, int, float, float Y) {
    if (!state_.knobDragging) {
        return;
    }
    PlaceKnob(static_cast<float>(state_.knobTop - (state_.knobGrabY - static_cast<double>(Y))));
    if (state_.knobTop <= static_cast<float>(kKnobTopOfTravel)) {
        PlaceKnob(static_cast<float>(kKnobTopOfTravel));
        state_.knobDragging = false;
    }
    if (state_.knobTop > kBottomDragLimit) {
        PlaceKnob(kBottomDragLimit);
        state_.knobDragging = false;
    }
    ApplyKnobLevel();
}

void Controller::OnKnobReleased(int, int, float, float) {
    state_.knobDragging = false;
}

void Controller::OnKnobClicked() {
    state_.txtdetect = "0";
}

void Controller::OnTrackClicked() {
    state_.trackArmed = true;
}

void Controller::OnTrackPointerMoved(int, int, float, float Y) {
    if (state_.trackArmed) {
        PlaceKnob(static_cast<float>(static_cast<double>(Y) + kTrackClickOffset));
        ApplyKnobLevel();
    }
    state_.trackArmed = false;
}

void Controller::OnTrackReleased(int, int, float, float) {
    state_.trackArmed = false;
}

void Controller::OnBackgroundPointerMoved(int Button, int, float X, float Y) {
    if (Button == 0) {
        state_.grabOffsetX = X;
        state_.grabOffsetY = Y;
    } else if (Button == 1) {
        // The grab point is kept during the drag, so the window keeps the point grabbed under the pointer.
        view_.MoveWindowBy(X - state_.grabOffsetX, Y - state_.grabOffsetY);
        state_.txtdetect = "1";
    }
}

void Controller::OnBackgroundReleased(int, int, float, float) {
    view_.EnableTimer(ControllerTimer::DragSettle, true);
}

void Controller::OnDragSettleTick() {
    if (TextAsNumber(state_.txtdetect) == 1) {
        state_.txtdetect = "0";
        view_.EnableTimer(ControllerTimer::DragSettle, false);
    }
}

} // namespace kob
