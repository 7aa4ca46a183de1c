#pragma once

#include "common/Rgb.h"
#include "common/Twips.h"

namespace kob::controller_layout {

// The controller window's design, in twips relative to its top-left corner (15 twips = 1 pixel at 96 dpi).
inline constexpr double kWidth = 1005;  // 67 px
inline constexpr double kHeight = 2790; // 186 px

// The slider's knob and track are SliderGeometry's.
inline constexpr TwipsRect kReadout{655, 100, 240, 240}; // the level read-out
inline constexpr TwipsRect kMuteBox{680, 2250, 200, 200};
inline constexpr TwipsRect kClose{697, 2540, 225, 210}; // the close button (15 x 14 px)
inline constexpr TwipsRect kVolumeControlSpot{80, 60, 255, 255};
inline constexpr TwipsRect kAudioPropertiesSpot{340, 240, 255, 255};

// The window's place: its right edge this many pixels left of the work area's right edge, its bottom edge this
// many above the work area's bottom (at 96 dpi its top-left corner is then 150 and 190 pixels in).
inline constexpr int kGapToWorkAreaRight = 83;
inline constexpr int kGapToWorkAreaBottom = 4;

inline constexpr Rgb kReadoutBackColor{49, 136, 200};
inline constexpr Rgb kReadoutTextColor{255, 255, 255};
inline constexpr Rgb kMuteBoxBackColor{32, 56, 94};
inline constexpr const char* kReadoutDesignCaption = "00";
inline constexpr const char* kReadoutFontFace = "Tahoma";
inline constexpr double kReadoutFontPoints = 9.75;

inline constexpr const char* kTipReadout = "Volume Level";
inline constexpr const char* kTipMute = "Mute";
inline constexpr const char* kTipClose = "Close";
inline constexpr const char* kTipVolumeControl = "Open Volume Control";
inline constexpr const char* kTipAudioProperties = "Adjust Audio Properties";

// Opacity of a freshly loaded window, where its fade-out starts.
inline constexpr int kOpaque = 255;

} // namespace kob::controller_layout
