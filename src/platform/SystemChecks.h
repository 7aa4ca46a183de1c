#pragma once

#include <string>

#include "platform/MessageBoxService.h"
#include "platform/ProcessControl.h"
#include "platform/SystemInfoService.h"

namespace kob {

inline constexpr const char* kMsgUnsupportedPlatform =
    "Operating System Does not support. This program only runs in Windows 2000 and XP.";

// Ends the program with the unsupported-platform message (error icon) outside the Windows NT family. Every
// member of the family passes, whatever its version.
void RefuseUnsupportedPlatform(MessageBoxService& messages, ProcessControl& process, WindowsPlatform platform);

// Sets SystemFolder to the Windows system folder; leaves it as it was when the path does not fit 254 characters.
void ReadSystemFolder(SystemInfoService& systemInfo, std::string& SystemFolder);

} // namespace kob
