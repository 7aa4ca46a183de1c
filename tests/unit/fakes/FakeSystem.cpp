#include "fakes/FakeSystem.h"

#include "fakes/FakeServices.h"

#include <algorithm>

namespace kob::test {

void FakeSystemInfo::Note(const std::string& call) {
    if (log_) {
        log_->Add(call);
    }
}

bool FakeSystemInfo::ReadVersion(OsVersionInfo& info) {
    Note("GetVersionEx");
    versionRequest = info;
    if (versionFails || info.osVersionInfoSize != 148) {
        return false;
    }
    info = version;
    return true;
}

std::uint32_t FakeSystemInfo::ReadSystemDirectory(std::string& buffer, std::uint32_t size) {
    Note("GetSystemDirectory");
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
    Note("CreateMutex " + name);
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
