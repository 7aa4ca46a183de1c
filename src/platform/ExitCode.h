#pragma once

#include <cstdint>

namespace kob {

// How the program ended, as its exit code tells the script or the setup that started it: one code for each fatal
// ending, 0 for a normal end. A second copy ends with its own process id instead. 3 stays free: the C runtime ends
// an aborted program with it.
enum class ExitCode : std::uint32_t {
    Normal = 0,
    InstallationError = 1,
    UnsupportedSystem = 2,
    NoProgramWindow = 4,
    NoControllerWindow = 5,
    NoMixerDevice = 10,
    NoMixerLine = 11,
    NoMixerControl = 12,
    VolumeUnreadable = 13,
    VolumeNotSet = 14,
    MuteUnreadable = 15,
};

inline constexpr std::uint32_t CodeOf(ExitCode code) {
    return static_cast<std::uint32_t>(code);
}

} // namespace kob
