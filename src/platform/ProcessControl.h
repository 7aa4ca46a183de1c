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
    // Asks the system to start the program again in the user's session when an installation closes it to replace
    // its files (the Restart Manager, from Windows Vista on; earlier systems have no such service).
    virtual void RestartAfterUpdates() = 0;
};

} // namespace kob
