#include "platform/win32/Win32Process.h"

#include <windows.h>

namespace kob {

void Win32Process::EndProcess(std::uint32_t exitCode) {
    ExitProcess(exitCode);
}

} // namespace kob
