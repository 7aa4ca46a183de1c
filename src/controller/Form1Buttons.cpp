// The controller's mute box, close button, hot spots and background clicks, and its fade and sync timers.
#include "common/TextNumber.h"
#include "controller/Form1.h"
#include "controller/Form1Layout.h"
#include "mixer/ControlTypes.h"
#include "platform/SystemTools.h"
#include "settings/RegistrySettings.h"

namespace kob {

namespace {

// Each fade tick takes this much opacity away: 84 visible steps from 255, the window goes at the 85th.
constexpr std::int16_t kFadeStep = 3;

} // namespace

void Form1::SetMuteBox(int value) {
    if (value == state_.chkmute) {
        return;
    }
    state_.chkmute = value;
    view_.SetMuteBox(value == 1);
    chkmute_Click();
}

void Form1::chkmute_Click() {
    setMute();
    // setMute leaves the mute control current: the slider and the read-out need the volume control again.
    GetCoreComponents(kControlTypeVolumeText);
}

void Form1::setMute() {
    GetCoreComponents(kControlTypeMuteText);
    mixer_.WriteCurrentControl(state_.chkmute == 1 ? 1 : 0);
}

void Form1::StartFade() {
    state_.fading = true;
    view_.EnableTimer(Form1Timer::Fade, true);
}

void Form1::CloseWithFade() {
    SetOnTopStatClosed(services_.registry, services_.messages);
    StartFade();
    view_.EnableTimer(Form1Timer::SyncVolume, false);
}

void Form1::Image5_Click() {
    CloseWithFade();
}

void Form1::Form_Click() {
    // A click that ended a window drag leaves the window where it was dropped.
    if (TextAsNumber(state_.txtdetect) == 0) {
        CloseWithFade();
    }
}

void Form1::Form_DblClick() {
    SetOnTopStatClosed(services_.registry, services_.messages);
    StartFade();
}

void Form1::Image4_Click() {
    OpenVolumeControl(services_.launcher, services_.messages, facts_.SystemDir);
}

void Form1::Image3_Click() {
    OpenAudioProperties(services_.launcher, services_.messages, facts_.SystemDir);
}

void Form1::Image3_DblClick() {
    SetOnTopStatClosed(services_.registry, services_.messages);
    view_.Unload();
}

void Form1::Timer1_Timer() {
    state_.FadeLevel = static_cast<std::int16_t>(state_.FadeLevel - kFadeStep);
    if (state_.FadeLevel > 0) {
        SetWindowAlpha(state_.FadeLevel);
    } else {
        view_.EnableTimer(Form1Timer::Fade, false);
        view_.Unload();
    }
}

void Form1::StartVolumeSync() {
    view_.EnableTimer(Form1Timer::SyncVolume, true);
}

void Form1::tmrsyncvol_Timer() {
    GetVolume();
}

void Form1::SetWindowAlpha(const std::int16_t& level) {
    view_.SetOpacity(static_cast<std::uint8_t>(level));
}

} // namespace kob
