#pragma once

#include "platform/SystemInfoService.h"

namespace kob {

// kernel32's version, system folder, process identity and mutex functions, ANSI forms.
class Win32SystemInfo : public SystemInfoService {
public:
    bool GetVersionEx(OsVersionInfo& info) override;
    std::uint32_t GetSystemDirectory(std::string& buffer, std::uint32_t size) override;
    std::uint32_t GetCurrentProcessId() override;
    std::uintptr_t CreateMutex(bool initialOwner, const std::string& name) override;
};

} // namespace kob
