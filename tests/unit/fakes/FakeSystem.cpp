#include "fakes/FakeSystem.h"

#include "fakes/FakeServices.h"

#include <algorithm>
#include <cctype>

namespace kob::test {

void FakeSystemInfo::Note(const std::string& call) {
    if (log_) {
        log_->Add(call);
    }
}

WindowsPlatform FakeSystemInfo::ReadPlatform() {
    Note("GetVersionEx");
    return platform;
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

MutexOwnership FakeSystemInfo::TakeNamedMutex(const std::string& name) {
    Note("TakeMutex " + name);
    taken.push_back(name);
    return takeResult;
}

bool FakeModulePath::IsSameFile(const std::string& a, const std::string& b) {
    const auto normal = [this](const std::string& path) {
        const auto found = longForms.find(path);
        std::string text = found == longForms.end() ? path : found->second;
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        return text;
    };
    return normal(a) == normal(b);
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
