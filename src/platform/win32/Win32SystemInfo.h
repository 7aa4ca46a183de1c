#pragma once

#include <windows.h>

#include "platform/SystemInfoService.h"

namespace kob {

// kernel32's version, system folder, process identity and mutex functions, ANSI forms: the platform from
// GetVersionExA (Win32s when it fails), the system folder within 254 characters.
class Win32SystemInfo : public SystemInfoService {
public:
    using SystemDirectoryCall = UINT(WINAPI*)(LPSTR folder, UINT room);
    // kernel32's GetSystemDirectoryA, or another in its place for tests of folders Wine never has.
    explicit Win32SystemInfo(SystemDirectoryCall systemDirectory = &::GetSystemDirectoryA)
        : systemDirectory_(systemDirectory) {}
    WindowsPlatform ReadPlatform() override;
    std::optional<std::string> ReadSystemFolder() override;
    std::uint32_t GetCurrentProcessId() override;
    void CreateNamedMutex(const std::string& name) override;
    MutexOwnership TakeNamedMutex(const std::string& name) override;

private:
    SystemDirectoryCall systemDirectory_;
};

} // namespace kob
