// The volume slider and the window drag of the controller.
#include "common/Rounding.h"
#include "controller/Controller.h"
#include "controller/SliderScale.h"

namespace kob {

namespace {

constexpr float kBottomDragLimit = 1845;
// A track click puts the knob's Top this far below the pointer's Y within the track.
constexpr double kTrackClickOffset = 150;

} // namespace

std::optional<VolumeFailure> Controller::ApplyKnobLevel() {
    if (const auto failure = SetVolumeFromLevel(LevelFromKnobTop(state_.knobTop))) {
        return failure;
    }
    return ShowVolume();
}

void Controller::OnKnobPressed(float yTwips) {
    state_.knobGrabY = RoundToInt32(yTwips);
    state_.knobDragging = true;
}

void Controller::OnKnobDragged(float yTwips) {
    if (!state_.knobDragging) {
        return;
    }
    PlaceKnob(static_cast<float>(state_.knobTop - (state_.knobGrabY - static_cast<double>(yTwips))));
    if (state_.knobTop <= static_cast<float>(kKnobTopOfTravel)) {
        PlaceKnob(static_cast<float>(kKnobTopOfTravel));
        state_.knobDragging = false;
    }
    if (state_.knobTop > kBottomDragLimit) {
        PlaceKnob(kBottomDragLimit);
        state_.knobDragging = false;
    }
    Report(ApplyKnobLevel());
}

void Controller::OnKnobReleased() {
    state_.knobDragging = false;
}

void Controller::OnKnobClicked() {
    state_.windowJustDragged = false;
}

void Controller::OnTrackClicked() {
    state_.trackArmed = true;
}

void Controller::OnTrackPointerMoved(float yTwips) {
    if (state_.trackArmed) {
        PlaceKnob(static_cast<float>(static_cast<double>(yTwips) + kTrackClickOffset));
        Report(ApplyKnobLevel());
    }
    state_.trackArmed = false;
}

void Controller::OnTrackReleased() {
    state_.trackArmed = false;
}

void Controller::OnBackgroundPointerMoved(HeldButtons held, float xTwips, float yTwips) {
    if (held == HeldButtons::None) {
        state_.grabOffsetX = xTwips;
        state_.grabOffsetY = yTwips;
    } else if (held == HeldButtons::LeftAlone) {
        // The grab point is kept during the drag, so the window keeps the point grabbed under the pointer.
        view_.MoveWindowBy(xTwips - state_.grabOffsetX, yTwips - state_.grabOffsetY);
        state_.windowJustDragged = true;
    }
}

void Controller::OnBackgroundReleased() {
    view_.EnableTimer(ControllerTimer::DragSettle, true);
}

void Controller::OnDragSettleTick() {
    if (state_.windowJustDragged) {
        state_.windowJustDragged = false;
        view_.EnableTimer(ControllerTimer::DragSettle, false);
    }
}

} // namespace kob
