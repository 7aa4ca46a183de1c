// The controller's keyboard and mouse wheel: the same volume the slider sets, without dragging.
#include "controller/Controller.h"

namespace kob {

namespace {

constexpr int kStep = WheelNotches::kPercentPerNotch;
constexpr int kPageStep = 10;

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
    if (const int notches = state_.wheel.Add(delta); notches != 0) {
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
