#include "platform/SystemChecks.h"

#include <string>

namespace kob {

std::optional<Ending> PlatformRefusal(WindowsPlatform platform) {
    if (platform != WindowsPlatform::NtFamily) {
        return Ending{kMsgUnsupportedPlatform, MessageIcon::Error, CodeOf(ExitCode::UnsupportedSystem)};
    }
    return std::nullopt;
}

} // namespace kob
