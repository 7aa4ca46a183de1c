#include "platform/SystemChecks.h"

#include <string>

#include "platform/FatalError.h"

namespace kob {

namespace {

// sizeof(OSVERSIONINFOA), the record GetVersionExA fills.
constexpr std::uint32_t kOsVersionInfoSize = 148;
constexpr std::uint32_t kSystemDirBufferLength = 255;

} // namespace

void GetOSPlatform(Services& services, std::uint32_t& platform) {
    OsVersionInfo info;
    info.osVersionInfoSize = kOsVersionInfoSize;
    services.systemInfo.ReadVersion(info);
    platform = info.platformId;
}

void RefuseUnsupportedPlatform(Services& services, std::uint32_t platform) {
    if (platform < kPlatformWin32Nt) {
        EndWithMessage(services.messages, services.process, kMsgUnsupportedPlatform, kMbIconError);
    }
}

void GetSystemDir(Services& services, ProgramContext& context) {
    // Blanks, not NULs: a call that writes nothing leaves no NUL, and then nothing is taken.
    std::string buffer(kSystemDirBufferLength, ' ');
    services.systemInfo.ReadSystemDirectory(buffer, kSystemDirBufferLength);
    const auto end = buffer.find('\0');
    if (end != std::string::npos) {
        context.SystemDir = buffer.substr(0, end);
    }
}

} // namespace kob
