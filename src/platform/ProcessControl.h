#pragma once

#include <cstdint>

namespace kob {

// Ends the process at once: no window's closing handling runs and nothing is released explicitly.
class ProcessControl {
public:
    virtual ~ProcessControl() = default;
    [[noreturn]] virtual void EndProcess(std::uint32_t exitCode) = 0;
};

} // namespace kob
