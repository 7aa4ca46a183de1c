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
    // False: the process cannot be opened or its modules cannot be read.
    bool readable = true;
};

// The system's process table. ListIds delivers as many of `ids` as the room holds, as the system does; the room
// of each call is recorded, and so is every process whose executable is asked for.
class FakeProcessList : public ProcessListService {
public:
    explicit FakeProcessList(CallLog& log) : log_(log) {}
    bool ListIds(std::vector<std::uint32_t>& ids, std::uint32_t capacity, std::uint32_t& delivered) override;
    std::string ExecutableOf(std::uint32_t processId) override;

    // Adds a process to the table and to the enumeration order.
    void Run(std::uint32_t id, const std::string& executable);

    std::vector<std::uint32_t> ids;
    std::map<std::uint32_t, FakeProcessEntry> processes;
    // ListIds fails from this call on (1 = the first call); 0 = never.
    int listFailsFromCall = 0;
    // ListIds throws a standard exception, as a failure of the environment.
    bool throwOnList = false;
    // Asking for this process's executable throws a standard exception, as a failure of the environment.
    std::uint32_t throwOnExecutableOf = 0;
    std::vector<std::uint32_t> capacities;
    std::vector<std::uint32_t> examined;

private:
    CallLog& log_;
};

} // namespace kob::test
