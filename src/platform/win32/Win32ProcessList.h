#pragma once

#include "platform/ProcessListService.h"

namespace kob {

// psapi's process and module enumeration (imported from psapi.dll, as Windows 2000 has it) and kernel32's
// process handles.
class Win32ProcessList : public ProcessListService {
public:
    bool EnumProcesses(std::vector<std::uint32_t>& ids, std::uint32_t bufferBytes,
                       std::uint32_t& bytesReturned) override;
    std::uintptr_t OpenProcess(std::uint32_t access, bool inheritHandle, std::uint32_t processId) override;
    bool EnumProcessModules(std::uintptr_t process, std::vector<std::uintptr_t>& modules, std::uint32_t bufferBytes,
                            std::uint32_t& bytesNeeded) override;
    std::uint32_t ReadModuleFileName(std::uintptr_t process, std::uintptr_t module, std::vector<char>& buffer,
                                     std::uint32_t size) override;
    bool CloseHandle(std::uintptr_t handle) override;
};

} // namespace kob
