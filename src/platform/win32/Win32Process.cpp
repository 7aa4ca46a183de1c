#include "platform/win32/Win32Process.h"

#include <windows.h>

#include "platform/win32/SystemLibrary.h"
#include "platform/win32/WindowBase.h"

namespace kob {

void Win32Process::StopEverything() {
    WindowBase::StopAllHandlers();
}

void Win32Process::EndProcess(std::uint32_t exitCode) {
    ExitProcess(exitCode);
}

void Win32Process::RestartAfterUpdates() {
    // Found at run time: kernel32 has it from Windows Vista on, and the program must load on Windows 2000.
    using RegisterRestart = HRESULT(WINAPI*)(PCWSTR commandLine, DWORD flags);
    const auto registerRestart =
        FunctionOf<RegisterRestart>(GetModuleHandleA("kernel32.dll"), "RegisterApplicationRestart");
    if (!registerRestart) {
        return;
    }
    // Only after an update: never after a crash or a hang, and never after a restart of Windows, where the log-on
    // start (or the user) starts it.
    registerRestart(nullptr, RESTART_NO_CRASH | RESTART_NO_HANG | RESTART_NO_REBOOT);
}

} // namespace kob
