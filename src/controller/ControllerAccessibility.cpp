// The controller as screen readers see it: its parts, and what they may do with them.
#include "controller/ControllerAccessibility.h"

#include <algorithm>
#include <cctype>

#include "controller/Controller.h"
#include "controller/ControllerLayout.h"
#include "controller/SliderGeometry.h"

namespace kob {

AccessibleParts DescribeControllerParts(int percent, bool muteBoxTicked) {
    using namespace controller_layout;
    return {{
        {ControllerPart::Slider, AccessibleRole::Slider, "Volume", std::to_string(percent), false, "",
         SliderGeometry::kTrack},
        {ControllerPart::MuteBox, AccessibleRole::CheckBox, kTipMute, "", muteBoxTicked,
         muteBoxTicked ? "Uncheck" : "Check", kMuteBox},
        {ControllerPart::Close, AccessibleRole::PushButton, kTipClose, "", false, "Press", kClose},
        {ControllerPart::VolumeControlSpot, AccessibleRole::PushButton, kTipVolumeControl, "", false, "Press",
         kVolumeControlSpot},
        {ControllerPart::AudioPropertiesSpot, AccessibleRole::PushButton, kTipAudioProperties, "", false, "Press",
         kAudioPropertiesSpot},
    }};
}

std::optional<int> PercentFromValueText(const std::string& text) {
    std::size_t at = 0;
    const auto skipBlanks = [&] {
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) {
            ++at;
        }
    };
    skipBlanks();
    const bool negative = at < text.size() && text[at] == '-';
    if (negative) {
        ++at;
    }
    const std::size_t digitsFrom = at;
    long long value = 0;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
        // Anything beyond a few digits is far out of range already: it is clamped, never overflowed.
        value = std::min<long long>(value * 10 + (text[at] - '0'), 1000);
        ++at;
    }
    if (at == digitsFrom) {
        return std::nullopt;
    }
    skipBlanks();
    if (at < text.size() && text[at] == '%') {
        ++at;
    }
    skipBlanks();
    if (at != text.size()) {
        return std::nullopt;
    }
    return static_cast<int>(negative ? -value : value);
}

bool Controller::DoDefaultAction(ControllerPart part) {
    if (state_.fading) {
        return false;
    }
    switch (part) {
    case ControllerPart::Slider:
        return false;
    case ControllerPart::MuteBox:
        OnMuteBoxToggled();
        break;
    case ControllerPart::Close:
        OnCloseClicked();
        break;
    case ControllerPart::VolumeControlSpot:
        OnVolumeControlSpotClicked();
        break;
    case ControllerPart::AudioPropertiesSpot:
        OnAudioPropertiesSpotClicked();
        break;
    }
    return true;
}

bool Controller::SetVolumeFromText(const std::string& text) {
    const std::optional<int> percent = PercentFromValueText(text);
    if (!percent || state_.fading) {
        return false;
    }
    Report(SetPercent(*percent));
    return true;
}

} // namespace kob
