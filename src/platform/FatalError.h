#pragma once

#include <cstdlib>
#include <string>

#include "platform/ErrorGuard.h"
#include "platform/ExitCode.h"
#include "platform/ProcessControl.h"

namespace kob {

// Shows a modal OK box titled with the application title, then ends the process at once with the ending's code.
// Everything else of the program is stopped first: a box's modal loop goes on delivering timer ticks and tray
// reports, and one that ran into the same failure would open another box on top of this one, and so on at every
// tick.
[[noreturn]] inline void EndWithMessage(MessageBoxService& messages, ProcessControl& process, const std::string& text,
                                        MessageIcon icon, ExitCode code) {
    process.StopEverything();
    ShowMessage(messages, text, icon);
    process.EndProcess(CodeOf(code));
    std::abort(); // EndProcess never returns; this only tells the compiler so.
}

} // namespace kob
