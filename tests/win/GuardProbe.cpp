// Runs the instance guard as the program's start-up does. A second copy ends at once; a copy that gets
// past it signals the event named on its command line and waits to be ended. With "lose-main-thread" after the
// event's name, a copy that got past loses its main thread as in a crash that leaves other threads behind: it
// stays in the process list, and signals once its main thread is gone.
#include <windows.h>

#include <cstring>

#include "platform/InstanceGuard.h"
#include "platform/win32/Win32ModulePath.h"
#include "platform/win32/Win32Process.h"
#include "platform/win32/Win32ProcessList.h"
#include "platform/win32/Win32SystemInfo.h"

namespace {

struct Survivor {
    HANDLE mainThread;
    const char* eventName;
};

void Signal(const char* eventName) {
    if (HANDLE passed = OpenEventA(EVENT_MODIFY_STATE, FALSE, eventName)) {
        SetEvent(passed);
        CloseHandle(passed);
    }
}

DWORD WINAPI OutliveTheMainThread(LPVOID parameter) {
    const auto* survivor = static_cast<const Survivor*>(parameter);
    WaitForSingleObject(survivor->mainThread, INFINITE);
    Signal(survivor->eventName);
    Sleep(120000);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    kob::Win32SystemInfo systemInfo;
    kob::Win32ProcessList processList;
    kob::Win32ModulePath modulePath;
    kob::Win32Process process;
    const std::uint32_t ownProcessId = systemInfo.GetCurrentProcessId();
    kob::CreateInstanceMutex(systemInfo);
    const kob::MutexOwnership guard = kob::TakeProgramGuard(systemInfo, modulePath);
    const kob::ProcessIds list = kob::ListProcessIds(processList);
    if (kob::IsAlreadyRunning(processList, modulePath, list, guard)) {
        // Silently, with its own process id, as the start-up refuses a second copy.
        process.EndProcess(ownProcessId);
    }

    if (argc > 2 && std::strcmp(argv[2], "lose-main-thread") == 0) {
        static Survivor survivor{nullptr, argv[1]};
        DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &survivor.mainThread, SYNCHRONIZE,
                        FALSE, 0);
        CloseHandle(CreateThread(nullptr, 0, OutliveTheMainThread, &survivor, 0, nullptr));
        ExitThread(0);
    }
    if (argc > 1) {
        Signal(argv[1]);
    }
    Sleep(120000);
    return 0;
}
