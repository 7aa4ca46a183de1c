#pragma once

#include <string>

#include "platform/MessageBoxService.h"
#include "platform/ProcessControl.h"

namespace kob {

// Shows a modal OK box titled with the application title, then ends the process at once.
[[noreturn]] void EndWithMessage(MessageBoxService& messages, ProcessControl& process, const std::string& text,
                                 unsigned icon);

} // namespace kob
