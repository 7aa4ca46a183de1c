#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/ModulePathService.h"
#include "platform/SystemInfoService.h"

namespace kob::test {

struct CallLog;

// A Windows of the NT family by default; GetSystemDirectory behaves as kernel32's: with room for the
// path and its NUL it copies both, otherwise it writes nothing and returns the size needed.
class FakeSystemInfo : public SystemInfoService {
public:
    explicit FakeSystemInfo(CallLog* log = nullptr) : log_(log) {}
    WindowsPlatform ReadPlatform() override;
    std::uint32_t ReadSystemDirectory(std::string& buffer, std::uint32_t size) override;
    std::uint32_t GetCurrentProcessId() override { return processId; }
    std::uintptr_t CreateNamedMutex(bool initialOwner, const std::string& name) override;
    // Answers takeResult; each name asked for is recorded.
    MutexOwnership TakeNamedMutex(const std::string& name) override;

    WindowsPlatform platform = WindowsPlatform::NtFamily;
    std::string systemDir = "C:\\WINDOWS\\system32";
    std::vector<std::uint32_t> systemDirSizes;
    std::uint32_t processId = 1234;
    struct Mutex {
        bool initialOwner;
        std::string name;
    };
    std::vector<Mutex> mutexes;
    MutexOwnership takeResult = MutexOwnership::Owned;
    std::vector<std::string> taken;

private:
    void Note(const std::string& call);
    CallLog* log_;
};

// The running executable's path; each form is absent when the ANSI code page cannot spell it.
class FakeModulePath : public ModulePathService {
public:
    std::string ExecutablePath() override { return executablePath; }
    bool ExactAnsiExecutablePath(bool shortForm, std::string& path) override;
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
