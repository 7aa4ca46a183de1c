// The volume slider and the window drag of the controller.
#include "controller/Controller.h"
#include "controller/SliderGeometry.h"

namespace kob {

std::optional<VolumeFailure> Controller::ApplyKnobLevel() {
    if (const auto failure = SetVolumeFromLevel(SliderGeometry::LevelAt(state_.knobTop))) {
        return failure;
    }
    return ShowVolume();
}

void Controller::OnKnobPressed(Twips y) {
    state_.knobGrabY = y.Rounded();
    state_.knobDragging = true;
}

void Controller::OnKnobDragged(Twips y) {
    if (!state_.knobDragging) {
        return;
    }
    // The knob keeps the point grabbed under the pointer, until it reaches a stop: then the drag is over.
    const KnobDragStep step = SliderGeometry::Drag(state_.knobTop, y - state_.knobGrabY);
    PlaceKnob(step.top);
    if (step.stopped) {
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

void Controller::OnTrackPointerMoved(Twips y) {
    if (state_.trackArmed) {
        PlaceKnob(SliderGeometry::KnobTopForTrackPoint(y));
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
