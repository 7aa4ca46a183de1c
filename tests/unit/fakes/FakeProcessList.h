#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/ProcessListService.h"

namespace kob::test {

struct CallLog;

struct FakeProcessEntry {
    std::string executable;
    bool openable = true;
    bool modulesReadable = true;
};

// The system's process table. EnumProcesses delivers as many of `ids` as the buffer holds, as psapi does; each
// call's buffer size is recorded.
class FakeProcessList : public ProcessListService {
public:
    explicit FakeProcessList(CallLog& log) : log_(log) {}
    bool EnumProcesses(std::vector<std::uint32_t>& ids, std::uint32_t bufferBytes,
                       std::uint32_t& bytesReturned) override;
    std::uintptr_t OpenProcess(std::uint32_t access, bool inheritHandle, std::uint32_t processId) override;
    bool EnumProcessModules(std::uintptr_t process, std::vector<std::uintptr_t>& modules, std::uint32_t bufferBytes,
                            std::uint32_t& bytesNeeded) override;
    std::uint32_t ReadModuleFileName(std::uintptr_t process, std::uintptr_t module, std::vector<char>& buffer,
                                     std::uint32_t size) override;
    bool CloseHandle(std::uintptr_t handle) override;

    // Adds a process to the table and to the enumeration order.
    void Run(std::uint32_t id, const std::string& executable);

    std::vector<std::uint32_t> ids;
    std::map<std::uint32_t, FakeProcessEntry> processes;
    // EnumProcesses fails from this call on (1 = the first call); 0 = never.
    int enumFailsFromCall = 0;
    // EnumProcesses throws a standard exception, as a failure of the environment.
    bool throwOnEnum = false;
    // OpenProcess of this identifier throws a standard exception, as a failure of the environment.
    std::uint32_t throwOnOpenOf = 0;
    std::vector<std::uint32_t> enumBufferBytes;
    std::vector<std::size_t> enumArrayLengths;
    std::vector<std::uint32_t> openedIds;
    std::set<std::uintptr_t> openHandles;

private:
    CallLog& log_;
    std::map<std::uintptr_t, std::uint32_t> handles_;
    std::uintptr_t nextHandle_ = 0x1000;
};

} // namespace kob::test
