#include "platform/win32/Win32Process.h"

#include <windows.h>

#include "platform/win32/DynamicCalls.h"
#include "platform/win32/WindowBase.h"

namespace kob {

void Win32Process::StopEverything() {
    WindowBase::StopAllHandlers();
}

void Win32Process::EndProcess(std::uint32_t exitCode) {
    ExitProcess(exitCode);
}

void Win32Process::RestartAfterUpdates() {
    // Windows Vista and later only.
    const auto registerRestart = dynamic::Kernel().registerApplicationRestart;
    if (!registerRestart) {
        return;
    }
    // Only after an update: never after a crash or a hang, and never after a restart of Windows, where the log-on
    // start (or the user) starts it.
    registerRestart(nullptr, RESTART_NO_CRASH | RESTART_NO_HANG | RESTART_NO_REBOOT);
}

} // namespace kob
