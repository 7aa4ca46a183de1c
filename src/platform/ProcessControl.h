#pragma once

#include <cstdint>

namespace kob {

// Ends the process at once: no window's closing handling runs and nothing is released explicitly.
class ProcessControl {
public:
    virtual ~ProcessControl() = default;
    // The program is about to end: from now on nothing else of it runs (its timers stop and no message of its
    // windows reaches a handler), so the message box that announces the end is the only one and nothing acts
    // behind it while it is open.
    virtual void StopEverything() = 0;
    // Ends the process with this code; the system's never returns.
    virtual void EndProcess(std::uint32_t exitCode) = 0;
};

} // namespace kob
