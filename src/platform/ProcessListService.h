#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kob {

// The system's processes.
class ProcessListService {
public:
    virtual ~ProcessListService() = default;
    // One snapshot of the process identifiers into ids, at most capacity of them (never more than ids holds), and
    // how many the system delivered. A failed call leaves delivered as it was.
    [[nodiscard]] virtual bool ListIds(std::vector<std::uint32_t>& ids, std::uint32_t capacity,
                                       std::uint32_t& delivered) = 0;
    // The full path of the process's executable (its first module) in the ANSI code page; empty when the process
    // cannot be opened or its modules cannot be read.
    virtual std::string ExecutableOf(std::uint32_t processId) = 0;
};

} // namespace kob
