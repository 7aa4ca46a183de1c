// The controller's keyboard and mouse wheel: the same volume the slider sets, without dragging.
#include "controller/Controller.h"

namespace kob {

namespace {

constexpr int kStep = 2;
constexpr int kPageStep = 10;
// One notch of a wheel, as the system counts its travel.
constexpr int kWheelNotch = 120;

} // namespace

void Controller::OnKey(ControllerKey key) {
    if (state_.fading) {
        return;
    }
    switch (key) {
    case ControllerKey::Up:
    case ControllerKey::Right:
        Report(SetPercent(state_.percent + kStep));
        break;
    case ControllerKey::Down:
    case ControllerKey::Left:
        Report(SetPercent(state_.percent - kStep));
        break;
    case ControllerKey::PageUp:
        Report(SetPercent(state_.percent + kPageStep));
        break;
    case ControllerKey::PageDown:
        Report(SetPercent(state_.percent - kPageStep));
        break;
    case ControllerKey::Home:
        Report(SetPercent(100));
        break;
    case ControllerKey::End:
        Report(SetPercent(0));
        break;
    case ControllerKey::Space:
    case ControllerKey::M:
        OnMuteBoxToggled();
        break;
    case ControllerKey::Escape:
        CloseWithFade();
        break;
    }
}

void Controller::OnWheel(int delta) {
    if (state_.fading) {
        return;
    }
    // High-resolution wheels report fractions of a notch; they add up to whole notches.
    state_.wheelRemainder += delta;
    const int notches = state_.wheelRemainder / kWheelNotch;
    state_.wheelRemainder -= notches * kWheelNotch;
    if (notches != 0) {
        Report(SetPercent(state_.percent + notches * kStep));
    }
}

std::optional<VolumeFailure> Controller::SetPercent(int percent) {
    if (const auto failure = volume_.SetVolume(percent)) {
        return failure;
    }
    return ShowVolume();
}

} // namespace kob
