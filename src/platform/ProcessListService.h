#pragma once

#include <cstdint>
#include <vector>

namespace kob {

// OpenProcess access for reading another process's module list and file names.
inline constexpr std::uint32_t kProcessQueryInformation = 0x400;
inline constexpr std::uint32_t kProcessVmRead = 0x10;

// The system's processes through psapi and kernel32, one call per operation. Handles are numbers, 0 = none.
class ProcessListService {
public:
    virtual ~ProcessListService() = default;
    // EnumProcesses(ids, bufferBytes, &bytesReturned); bufferBytes never exceeds the array. A failed call leaves
    // bytesReturned as it was.
    [[nodiscard]] virtual bool EnumProcesses(std::vector<std::uint32_t>& ids, std::uint32_t bufferBytes,
                                             std::uint32_t& bytesReturned) = 0;
    virtual std::uintptr_t OpenProcess(std::uint32_t access, bool inheritHandle, std::uint32_t processId) = 0;
    // EnumProcessModules(process, modules, bufferBytes, &bytesNeeded).
    [[nodiscard]] virtual bool EnumProcessModules(std::uintptr_t process, std::vector<std::uintptr_t>& modules,
                                                  std::uint32_t bufferBytes, std::uint32_t& bytesNeeded) = 0;
    // GetModuleFileNameExA(process, module, buffer, size): the characters copied, 0 on failure.
    [[nodiscard]] virtual std::uint32_t ReadModuleFileName(std::uintptr_t process, std::uintptr_t module,
                                                           std::vector<char>& buffer, std::uint32_t size) = 0;
    virtual bool CloseHandle(std::uintptr_t handle) = 0;
};

} // namespace kob
