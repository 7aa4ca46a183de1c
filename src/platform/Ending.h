#pragma once

#include <cstdint>
#include <string>

#include "platform/ErrorGuard.h"
#include "platform/ExitCode.h"
#include "platform/ProcessControl.h"

namespace kob {

// How the program ends before its time: the message it shows first, with its icon (none: it ends silently), and
// its exit code.
struct Ending {
    std::string message;
    MessageIcon icon = MessageIcon::Error;
    std::uint32_t exitCode = CodeOf(ExitCode::Normal);
};

// Ends the program, the last thing its caller does. Everything else of it is stopped first: a box's modal loop goes
// on delivering timer ticks and tray reports, and one that ran into the same failure would open another box on top
// of this one, and so on at every tick.
inline void EndProgram(MessageBoxService& messages, ProcessControl& process, const Ending& ending) {
    process.StopEverything();
    if (!ending.message.empty()) {
        ShowMessage(messages, ending.message, ending.icon);
    }
    process.EndProcess(ending.exitCode);
}

} // namespace kob
