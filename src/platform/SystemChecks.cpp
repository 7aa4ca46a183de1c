#include "platform/SystemChecks.h"

#include <string>

#include "platform/FatalError.h"

namespace kob {

namespace {

constexpr std::uint32_t kSystemDirBufferLength = 255;

} // namespace

void RefuseUnsupportedPlatform(MessageBoxService& messages, ProcessControl& process, WindowsPlatform platform) {
    if (platform != WindowsPlatform::NtFamily) {
        EndWithMessage(messages, process, kMsgUnsupportedPlatform, MessageIcon::Error, ExitCode::UnsupportedSystem);
    }
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
