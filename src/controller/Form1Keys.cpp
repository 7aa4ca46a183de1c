// The controller's keyboard and mouse wheel: the same volume the slider sets, without dragging.
#include <algorithm>

#include "controller/Form1.h"
#include "mixer/VolumeScale.h"

namespace kob {

namespace {

constexpr std::int32_t kStep = 2;
constexpr std::int32_t kPageStep = 10;
// One notch of a wheel, as the system counts its travel.
constexpr int kWheelNotch = 120;

} // namespace

void Form1::KeyDown(Form1Key key) {
    if (state_.fading) {
        return;
    }
    switch (key) {
    case Form1Key::Up:
    case Form1Key::Right:
        SetPercent(state_.percent + kStep);
        break;
    case Form1Key::Down:
    case Form1Key::Left:
        SetPercent(state_.percent - kStep);
        break;
    case Form1Key::PageUp:
        SetPercent(state_.percent + kPageStep);
        break;
    case Form1Key::PageDown:
        SetPercent(state_.percent - kPageStep);
        break;
    case Form1Key::Home:
        SetPercent(100);
        break;
    case Form1Key::End:
        SetPercent(0);
        break;
    case Form1Key::Space:
    case Form1Key::M:
        SetMuteBox(state_.chkmute == 1 ? 0 : 1);
        break;
    case Form1Key::Escape:
        CloseWithFade();
        break;
    }
}

void Form1::MouseWheel(int delta) {
    if (state_.fading) {
        return;
    }
    // High-resolution wheels report fractions of a notch; they add up to whole notches.
    state_.wheelRemainder += delta;
    const int notches = state_.wheelRemainder / kWheelNotch;
    state_.wheelRemainder -= notches * kWheelNotch;
    if (notches != 0) {
        SetPercent(state_.percent + notches * kStep);
    }
}

void Form1::SetPercent(std::int32_t percent) {
    const std::int32_t level = 100 - std::clamp<std::int32_t>(percent, 0, 100);
    setVolume(level);
    GetVolume();
}

} // namespace kob
