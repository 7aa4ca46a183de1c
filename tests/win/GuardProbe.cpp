// Runs the instance guard as the program's start-up does. A second copy in the same folder ends inside the
// guard; a copy that gets past it signals the event named on its command line and waits to be ended.
#include <windows.h>

#include "platform/InstanceGuard.h"
#include "platform/win32/Win32MessageBox.h"
#include "platform/win32/Win32ModulePath.h"
#include "platform/win32/Win32Process.h"
#include "platform/win32/Win32ProcessList.h"
#include "platform/win32/Win32SystemInfo.h"

int main(int argc, char** argv) {
    kob::Win32SystemInfo systemInfo;
    kob::Win32ProcessList processList;
    kob::Win32MessageBox messages;
    kob::Win32ModulePath modulePath;
    kob::Win32Process process;
    const std::uint32_t OwnProcessId = systemInfo.GetCurrentProcessId();
    kob::CreateInstanceMutex(systemInfo);
    kob::ProcessIdList list;
    kob::ListProcessIds(processList, messages, list);
    kob::CheckPrevInstance(processList, modulePath, process, OwnProcessId, list);

    if (argc > 1) {
        if (HANDLE passed = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1])) {
            SetEvent(passed);
            CloseHandle(passed);
        }
    }
    Sleep(120000);
    return 0;
}
