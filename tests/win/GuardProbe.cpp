// Runs the instance guard as the program's start-up does. A second copy in the same folder ends inside the
// guard; a copy that gets past it signals the event named on its command line and waits to be ended.
#include <windows.h>

#include "common/ProgramContext.h"
#include "platform/InstanceGuard.h"
#include "platform/win32/Win32Platform.h"

int main(int argc, char** argv) {
    kob::Win32Platform platform;
    kob::ProgramContext context;
    context.OwnProcessId = platform.services.systemInfo.GetCurrentProcessId();
    kob::CreateInstanceMutex(platform.services);
    kob::ProcessIdList list;
    kob::ListProcessIds(platform.services, list);
    kob::CheckPrevInstance(platform.services, context, list);

    if (argc > 1) {
        if (HANDLE passed = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1])) {
            SetEvent(passed);
            CloseHandle(passed);
        }
    }
    Sleep(120000);
    return 0;
}
