#pragma once

#include <windows.h>

#include "platform/ProcessListService.h"

namespace kob {

// psapi's process and module enumeration (psapi.dll of the system folder, as Windows 2000 has it, loaded at the
// first listing) and kernel32's process handles. Without psapi nothing is listed.
class Win32ProcessList : public ProcessListService {
public:
    using EnumProcessesCall = BOOL(WINAPI*)(DWORD* ids, DWORD roomBytes, DWORD* deliveredBytes);
    // psapi's EnumProcesses, or another in its place for tests of a system that refuses where Wine's never does.
    explicit Win32ProcessList(EnumProcessesCall enumerate = nullptr) : enumerate_(enumerate) {}
    std::vector<std::uint32_t> ListIds() override;
    std::string ExecutableOf(std::uint32_t processId) override;

private:
    EnumProcessesCall enumerate_;
};

} // namespace kob
