#pragma once

#include "platform/Services.h"
#include "platform/win32/Win32MessageBox.h"
#include "platform/win32/Win32Mixer.h"
#include "platform/win32/Win32ModulePath.h"
#include "platform/win32/Win32Process.h"
#include "platform/win32/Win32ProcessList.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Screen.h"
#include "platform/win32/Win32SystemInfo.h"

namespace kob {

// All Win32 adapters, bound into the Services the windows receive.
struct Win32Platform {
    Win32Mixer mixer;
    Win32MessageBox messages;
    Win32Process process;
    Win32Screen screen;
    Win32Registry registry;
    Win32ProcessList processList;
    Win32SystemInfo systemInfo;
    Win32ModulePath modulePath;
    Services services{mixer, messages, process, screen, registry, processList, systemInfo, modulePath};
};

} // namespace kob
