#include "platform/win32/Win32Process.h"

#include <windows.h>

#include "platform/win32/WindowBase.h"

namespace kob {

void Win32Process::StopEverything() {
    WindowBase::StopAllHandlers();
}

void Win32Process::EndProcess(std::uint32_t exitCode) {
    ExitProcess(exitCode);
}

} // namespace kob
