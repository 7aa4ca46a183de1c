#pragma once

#include <cstdint>
#include <string>

#include "platform/SystemInfoService.h"

namespace kob {

// What the start-up sequence learns about the system and the process. It is filled once while the program
// starts; everything afterwards only reads it.
struct StartupFacts {
    std::uint32_t ownProcessId = 0;
    WindowsPlatform platform = WindowsPlatform::Win32s;
    // The Windows system folder without a trailing backslash; empty until read, and when the system does not tell it.
    std::string systemFolder;
};

} // namespace kob
