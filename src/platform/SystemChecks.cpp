#include "platform/SystemChecks.h"

#include <string>

namespace kob {

namespace {

constexpr std::uint32_t kSystemDirBufferLength = 255;

} // namespace

std::optional<Ending> PlatformRefusal(WindowsPlatform platform) {
    if (platform != WindowsPlatform::NtFamily) {
        return Ending{kMsgUnsupportedPlatform, MessageIcon::Error, CodeOf(ExitCode::UnsupportedSystem)};
    }
    return std::nullopt;
}

void ReadSystemFolder(SystemInfoService& systemInfo, std::string& SystemFolder) {
    // Blanks, not NULs: a call that writes nothing leaves no NUL, and then nothing is taken.
    std::string buffer(kSystemDirBufferLength, ' ');
    systemInfo.ReadSystemDirectory(buffer, kSystemDirBufferLength);
    const auto end = buffer.find('\0');
    if (end != std::string::npos) {
        SystemFolder = buffer.substr(0, end);
    }
}

} // namespace kob
