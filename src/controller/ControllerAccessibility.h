#pragma once

#include <array>
#include <optional>
#include <string>

#include "common/Twips.h"

namespace kob {

// The parts of the controller a screen reader names, numbered as its accessible children (0 is the window).
enum class ControllerPart { Slider = 1, MuteBox, Close, VolumeControlSpot, AudioPropertiesSpot };
inline constexpr int kControllerPartCount = 5;

enum class AccessibleRole { Slider, CheckBox, PushButton };

// What a screen reader is told of one part: all of it follows from the controller's state.
struct AccessiblePart {
    ControllerPart part;
    AccessibleRole role;
    std::string name;
    // The slider's percent as the read-out shows it; empty for the others.
    std::string value;
    bool checked = false;
    // What the default action does, in the words screen readers use; empty where there is none.
    std::string defaultAction;
    // Where it is, in twips relative to the window's top-left corner.
    TwipsRect place;
};

using AccessibleParts = std::array<AccessiblePart, kControllerPartCount>;

// The controller's parts for this percent and mute box.
AccessibleParts DescribeControllerParts(int percent, bool muteBoxTicked);

// The percent a screen reader's value text asks for ("45", " 45 %"), or none when it is not a whole number.
std::optional<int> PercentFromValueText(const std::string& text);

} // namespace kob
