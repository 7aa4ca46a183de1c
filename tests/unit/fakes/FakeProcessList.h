#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/ProcessListService.h"

namespace kob::test {

struct FakeProcessEntry {
    std::string executable;
    // False: the process cannot be opened or its modules cannot be read.
    bool readable = true;
};

// The system's process table. ListIds delivers `ids`; every process whose executable is asked for is recorded.
class FakeProcessList : public ProcessListService {
public:
    std::vector<std::uint32_t> ListIds() override;
    std::string ExecutableOf(std::uint32_t processId) override;

    // Adds a process to the table and to the enumeration order.
    void Run(std::uint32_t id, const std::string& executable);

    std::vector<std::uint32_t> ids;
    std::map<std::uint32_t, FakeProcessEntry> processes;
    // The system refuses the snapshot.
    bool listRefused = false;
    std::vector<std::uint32_t> examined;
    // Snapshots of the table taken.
    int listings = 0;
};

} // namespace kob::test
