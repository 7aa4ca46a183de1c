#include "platform/SystemChecks.h"

#include <string>

#include "platform/FatalError.h"

namespace kob {

namespace {

// sizeof(OSVERSIONINFOA), the record GetVersionExA fills.
constexpr std::uint32_t kOsVersionInfoSize = 148;
constexpr std::uint32_t kSystemDirBufferLength = 255;

} // namespace

void ReadPlatformId(SystemInfoService& systemInfo, std::uint32_t& platform) {
    OsVersionInfo info;
    info.osVersionInfoSize = kOsVersionInfoSize;
    systemInfo.ReadVersion(info);
    platform = info.platformId;
}

void RefuseUnsupportedPlatform(MessageBoxService& messages, ProcessControl& process, std::uint32_t platform) {
    if (platform < kPlatformWin32Nt) {
        EndWithMessage(messages, process, kMsgUnsupportedPlatform, kMbIconError);
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
