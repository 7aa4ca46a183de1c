#pragma once

#include <cstdint>

#include <string>

#include "platform/MessageBoxService.h"
#include "platform/ProcessControl.h"
#include "platform/SystemInfoService.h"

namespace kob {

inline constexpr const char* kMsgUnsupportedPlatform =
    "Operating System Does not support. This program only runs in Windows 2000 and XP.";

// Stores the platform identifier of GetVersionExA in the variable; 0 when the call fails.
void ReadPlatformId(SystemInfoService& systemInfo, std::uint32_t& platform);

// Ends the program with the unsupported-platform message (error icon) below the Windows NT family (identifier
// 2). Every identifier of 2 or more passes, whatever the version numbers.
void RefuseUnsupportedPlatform(MessageBoxService& messages, ProcessControl& process, std::uint32_t platform);

// Sets SystemFolder to the Windows system folder; leaves it as it was when the path does not fit 254 characters.
void ReadSystemFolder(SystemInfoService& systemInfo, std::string& SystemFolder);

} // namespace kob
