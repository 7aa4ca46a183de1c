#pragma once

#include <cstdint>

namespace kob {

// Published winmm control types, and the decimal text the controller's discovery is handed.
inline constexpr std::uint32_t kControlTypeVolume = 0x50030001; // MIXERCONTROL_CONTROLTYPE_VOLUME
inline constexpr std::uint32_t kControlTypeMute = 0x20010002;   // MIXERCONTROL_CONTROLTYPE_MUTE
inline constexpr const char* kControlTypeVolumeText = "1342373889";
inline constexpr const char* kControlTypeMuteText = "536936450";

} // namespace kob
