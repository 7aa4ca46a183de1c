#include "fakes/FakeSystem.h"

#include <algorithm>

namespace kob::test {

bool FakeSystemInfo::ReadVersion(OsVersionInfo& info) {
    versionRequest = info;
    if (versionFails || info.osVersionInfoSize != 148) {
        return false;
    }
    info = version;
    return true;
}

std::uint32_t FakeSystemInfo::ReadSystemDirectory(std::string& buffer, std::uint32_t size) {
    systemDirSizes.push_back(size);
    const auto length = static_cast<std::uint32_t>(systemDir.size());
    if (length + 1 > size || length + 1 > buffer.size()) {
        return length + 1;
    }
    std::copy(systemDir.begin(), systemDir.end(), buffer.begin());
    buffer[length] = '\0';
    return length;
}

std::uintptr_t FakeSystemInfo::CreateNamedMutex(bool initialOwner, const std::string& name) {
    mutexes.push_back({initialOwner, name});
    return 0x44;
}

bool FakeModulePath::ExactAnsiExecutablePath(bool shortForm, std::string& path) {
    const auto& form = shortForm ? ansiShortPath : ansiLongPath;
    if (!form) {
        return false;
    }
    path = *form;
    return true;
}

} // namespace kob::test
