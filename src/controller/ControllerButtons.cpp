// The controller's mute box, close button, hot spots and background clicks, and its fade and sync timers.
#include "controller/Controller.h"
#include "controller/ControllerLayout.h"
#include "platform/SystemTools.h"

namespace kob {

namespace {

// Each fade tick takes this much opacity away: 84 visible steps from 255, the window goes at the 85th.
constexpr int kFadeStep = 3;

} // namespace

bool Controller::SetMuteBox(bool ticked) {
    if (ticked == state_.muteBoxTicked) {
        return false;
    }
    state_.muteBoxTicked = ticked;
    view_.SetMuteBox(ticked);
    view_.AnnounceMuteChanged();
    return true;
}

void Controller::OnMuteBoxToggled() {
    SetMuteBox(!state_.muteBoxTicked);
    Report(volume_.SetMuted(state_.muteBoxTicked));
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
    if (!state_.windowJustDragged) {
        CloseWithFade();
    }
}

void Controller::OnBackgroundDoubleClicked() {
    services_.settings.SaveControllerState(ControllerState::Closed);
    StartFade();
}

void Controller::OnVolumeControlSpotClicked() {
    Report(OpenVolumeControl(services_.launcher, facts_.systemFolder));
}

void Controller::OnAudioPropertiesSpotClicked() {
    Report(OpenAudioProperties(services_.launcher, facts_.systemFolder));
}

void Controller::OnAudioPropertiesSpotDoubleClicked() {
    services_.settings.SaveControllerState(ControllerState::Closed);
    view_.Unload();
}

void Controller::OnFadeTick() {
    state_.opacity -= kFadeStep;
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
    Report(ShowVolume());
}

void Controller::ApplyOpacity(int level) {
    view_.FadeTo(level);
}

} // namespace kob
