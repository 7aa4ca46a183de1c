#include "platform/SystemChecks.h"

#include <string>

namespace kob {

std::optional<Notice> PlatformRefusal(WindowsPlatform platform) {
    if (platform != WindowsPlatform::NtFamily) {
        return Notice{kMsgUnsupportedPlatform, MessageIcon::Error, CodeOf(ExitCode::UnsupportedSystem)};
    }
    return std::nullopt;
}

} // namespace kob
