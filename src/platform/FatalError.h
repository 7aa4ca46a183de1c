#pragma once

#include <cstdlib>
#include <string>

#include "platform/ErrorGuard.h"
#include "platform/ProcessControl.h"

namespace kob {

// Shows a modal OK box titled with the application title, then ends the process at once.
[[noreturn]] inline void EndWithMessage(MessageBoxService& messages, ProcessControl& process, const std::string& text,
                                        unsigned icon) {
    ShowMessage(messages, text, icon);
    process.EndProcess(0);
    std::abort(); // EndProcess never returns; this only tells the compiler so.
}

} // namespace kob
