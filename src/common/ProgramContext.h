#pragma once

#include <cstdint>
#include <string>

namespace kob {

// The program-wide values shared by the windows. WinMain creates one and hands it to every window; nothing
// else in the program holds mutable global state.
struct ProgramContext {
    // Mixer handle of the latest discovery; every mixer call uses it. Zero until the first discovery.
    std::uintptr_t MixerHandle = 0;
    // The 32-character product-name field of the mixer line's target, as the mixer filled it (NUL padded).
    std::string MixerDeviceName;
    // Windows system folder without a trailing backslash; empty until read.
    std::string SystemDir;
    std::uint32_t OwnProcessId = 0;
    std::uint32_t OSPlatform = 0;
    // Opacity of the controller during its fade-out.
    std::int16_t FadeLevel = 0;
    // 1 when the last look-up found the log-on Run value, 0 when it did not.
    std::int16_t RunEntryVal = 0;
    // Work-area edges in pixels, read each time the controller is placed.
    std::int32_t WorkAreaRight = 0;
    std::int32_t WorkAreaBottom = 0;
    // "1" while the controller window is loaded, "0" otherwise. Lives on the companion window once it exists.
    std::string txtform1signal = "0";
};

} // namespace kob
