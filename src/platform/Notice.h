#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "common/AppTitle.h"
#include "platform/ExitCode.h"
#include "platform/MessageBoxService.h"
#include "platform/ProcessControl.h"

namespace kob {

// What the program tells the user, and its level: the program goes on after the box, or ends with an exit code.
// An ending without a text ends silently.
struct Notice {
    std::string text;
    MessageIcon icon = MessageIcon::Exclamation;
    // None: the program goes on.
    std::optional<std::uint32_t> exitCode;
};

// How a step that runs on after a failure hands its notice to the host at once, so that the box comes between
// the step's effects exactly where the failure happened.
using Reporter = std::function<void(const Notice&)>;

// The host's one way of reporting: a modal OK box titled with the application title, and for an ending, the end.
// Everything else of the program is stopped before an ending's box: its modal loop goes on delivering timer ticks
// and tray reports, and one that ran into the same failure would open another box on top of it at every tick.
inline void Report(MessageBoxService& messages, ProcessControl& process, const Notice& notice) {
    if (notice.exitCode) {
        process.StopEverything();
    }
    if (!notice.text.empty()) {
        messages.Show(notice.text, kAppTitle, notice.icon);
    }
    if (notice.exitCode) {
        process.EndProcess(*notice.exitCode);
    }
}

} // namespace kob
