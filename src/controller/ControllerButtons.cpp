// The controller's mute box, close button, hot spots and background clicks, and its fade and sync timers.
#include "common/TextNumber.h"
#include "controller/Controller.h"
#include "controller/ControllerLayout.h"
#include "platform/SystemTools.h"

namespace kob {

namespace {

// Each fade tick takes this much opacity away: 84 visible steps from 255, the window goes at the 85th.
constexpr std::int16_t kFadeStep = 3;

} // namespace

void Controller::SetMuteBox(int value) {
    if (value == state_.chkmute) {
        return;
    }
    state_.chkmute = value;
    view_.SetMuteBox(value == 1);
    OnMuteBoxToggled();
}

void Controller::OnMuteBoxToggled() {
    volume_.SetMuted(state_.chkmute == 1);
}

void Controller::StartFade() {
    state_.fading = true;
    view_.EnableTimer(ControllerTimer::Fade, true);
}

void Controller::CloseWithFade() {
    services_.settings.SaveControllerState(ControllerState::Closed);
    StartFade();
    view_.EnableTimer(ControllerTimer::VolumeSync, false);
}

void Controller::OnCloseClicked() {
    CloseWithFade();
}

void Controller::OnBackgroundClicked() {
    // A click that ended a window drag leaves the window where it was dropped.
    if (TextAsNumber(state_.txtdetect) == 0) {
        CloseWithFade();
    }
}

void Controller::OnBackgroundDoubleClicked() {
    services_.settings.SaveControllerState(ControllerState::Closed);
    StartFade();
}

void Controller::OnVolumeControlSpotClicked() {
    OpenVolumeControl(services_.launcher, services_.messages, facts_.SystemFolder);
}

void Controller::OnAudioPropertiesSpotClicked() {
    OpenAudioProperties(services_.launcher, services_.messages, facts_.SystemFolder);
}

void Controller::OnAudioPropertiesSpotDoubleClicked() {
    services_.settings.SaveControllerState(ControllerState::Closed);
    view_.Unload();
}

void Controller::OnFadeTick() {
    state_.opacity = static_cast<std::int16_t>(state_.opacity - kFadeStep);
    if (state_.opacity > 0) {
        ApplyOpacity(state_.opacity);
    } else {
        view_.EnableTimer(ControllerTimer::Fade, false);
        view_.Unload();
    }
}

void Controller::StartVolumeSync() {
    view_.EnableTimer(ControllerTimer::VolumeSync, true);
}

void Controller::OnVolumeSyncTick() {
    ShowVolume();
}

void Controller::ApplyOpacity(const std::int16_t& level) {
    view_.SetOpacity(static_cast<std::uint8_t>(level));
}

} // namespace kob
