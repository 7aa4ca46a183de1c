#include "fakes/FakeSystem.h"

#include <algorithm>
#include <cctype>

namespace kob::test {

WindowsPlatform FakeSystemInfo::ReadPlatform() {
    calls.push_back("GetVersionEx");
    return platform;
}

std::optional<std::string> FakeSystemInfo::ReadSystemFolder() {
    calls.push_back("GetSystemDirectory");
    return systemFolder;
}

void FakeSystemInfo::CreateNamedMutex(const std::string& name) {
    calls.push_back("CreateMutex " + name);
}

MutexOwnership FakeSystemInfo::TakeNamedMutex(const std::string& name) {
    calls.push_back("TakeMutex " + name);
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

std::optional<std::string> FakeModulePath::ExactNarrowExecutablePath(PathForm form) {
    return form == PathForm::Short ? ansiShortPath : ansiLongPath;
}

} // namespace kob::test
