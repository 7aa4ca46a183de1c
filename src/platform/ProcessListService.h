#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kob {

// The system's processes.
class ProcessListService {
public:
    virtual ~ProcessListService() = default;
    // One snapshot of the process identifiers, all the system delivered, in its order; none when the system
    // refuses the snapshot.
    virtual std::vector<std::uint32_t> ListIds() = 0;
    // The full path of the process's executable (its first module) in the ANSI code page; empty when the process
    // cannot be opened or its modules cannot be read.
    virtual std::string ExecutableOf(std::uint32_t processId) = 0;
};

} // namespace kob
