#pragma once

#include "common/ProgramContext.h"
#include "fakes/FakeServices.h"
#include "platform/win32/Win32ModulePath.h"
#include "platform/win32/Win32ProcessList.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32SystemInfo.h"

namespace kob::test {

// The real registry, processes and system information; message boxes and endings are recorded so nothing
// blocks or ends a test, and the mixer and screen are fakes these tests do not use.
struct RealSystemPlatform {
    CallLog log;
    FakeMessageBox messages{log};
    FakeProcess process{log};
    FakeScreen screen;
    FakeMixer mixer{log};
    Win32Registry registry;
    Win32ProcessList processList;
    Win32SystemInfo systemInfo;
    Win32ModulePath modulePath;
    Services services{mixer, messages, process, screen, registry, processList, systemInfo, modulePath};
    ProgramContext context;
};

} // namespace kob::test
