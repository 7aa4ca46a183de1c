#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/ModulePathService.h"
#include "platform/SystemInfoService.h"

namespace kob::test {

// A Windows of the NT family by default.
class FakeSystemInfo : public SystemInfoService {
public:
    WindowsPlatform ReadPlatform() override;
    std::optional<std::string> ReadSystemFolder() override;
    std::uint32_t GetCurrentProcessId() override { return processId; }
    void CreateNamedMutex(const std::string& name) override;
    // Answers takeResult.
    MutexOwnership TakeNamedMutex(const std::string& name) override;

    WindowsPlatform platform = WindowsPlatform::NtFamily;
    std::optional<std::string> systemFolder = "C:\\WINDOWS\\system32";
    std::uint32_t processId = 1234;
    MutexOwnership takeResult = MutexOwnership::Owned;
    // Every call received, in order: "CreateMutex kob3.0", "GetVersionEx".
    std::vector<std::string> calls;
};

// The running executable's path; each form is absent when the ANSI code page cannot spell it.
class FakeModulePath : public ModulePathService {
public:
    std::string ExecutablePath() override { return executablePath; }
    std::optional<std::string> ExactNarrowExecutablePath(PathForm form) override;
    std::u16string WideExecutablePath() override { return widePath; }
    std::u16string FoldedLongExecutablePath() override { return foldedPath; }
    // Letter case ignored, and each path's long form looked up in longForms first.
    bool IsSameFile(const std::string& a, const std::string& b) override;

    std::string executablePath = "C:\\Program Files\\Drovo Volume Controller\\kob3.0.exe";
    std::optional<std::string> ansiLongPath = executablePath;
    std::optional<std::string> ansiShortPath = "C:\\PROGRA~1\\DROVOV~1\\KOB30~1.EXE";
    std::u16string widePath = u"C:\\Program Files\\Drovo Volume Controller\\kob3.0.exe";
    std::u16string foldedPath = u"C:\\PROGRAM FILES\\DROVO VOLUME CONTROLLER\\KOB3.0.EXE";
    std::map<std::string, std::string> longForms{
        {"C:\\PROGRA~1\\DROVOV~1\\KOB30~1.EXE", "C:\\Program Files\\Drovo Volume Controller\\kob3.0.exe"}};
};

} // namespace kob::test
