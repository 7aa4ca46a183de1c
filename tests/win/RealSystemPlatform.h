#pragma once

#include "fakes/FakeServices.h"
#include "platform/win32/Win32ModulePath.h"
#include "platform/win32/Win32ProcessList.h"
#include "platform/win32/Win32SystemInfo.h"
#include "settings/Settings.h"
#include "settings/win32/Win32Registry.h"

namespace kob::test {

// The real registry, processes and system information in place of the fakes; message boxes are recorded so
// nothing blocks a test.
struct RealSystemPlatform {
    FakeMessageBox messages;
    Win32Registry registry;
    Win32ProcessList processList;
    Win32SystemInfo systemInfo;
    Win32ModulePath modulePath;
    Settings settings{registry, modulePath};
};

} // namespace kob::test
