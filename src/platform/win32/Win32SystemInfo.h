#pragma once

#include "platform/SystemInfoService.h"

namespace kob {

// kernel32's version, system folder, process identity and mutex functions, ANSI forms.
class Win32SystemInfo : public SystemInfoService {
public:
    WindowsPlatform ReadPlatform() override;
    std::uint32_t ReadSystemDirectory(std::string& buffer, std::uint32_t size) override;
    std::uint32_t GetCurrentProcessId() override;
    std::uintptr_t CreateNamedMutex(bool initialOwner, const std::string& name) override;
    MutexOwnership TakeNamedMutex(const std::string& name) override;
};

} // namespace kob
