#pragma once

#include <optional>
#include <string>

#include "platform/Notice.h"
#include "platform/SystemInfoService.h"

namespace kob {

inline constexpr const char* kMsgUnsupportedPlatform =
    "Operating System Does not support. This program only runs in Windows 2000 and XP.";

// Outside the Windows NT family, the refusal of the start: the unsupported-platform message (error icon). Every
// member of the family passes, whatever its version.
std::optional<Notice> PlatformRefusal(WindowsPlatform platform);

} // namespace kob
