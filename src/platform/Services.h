#pragma once

#include "platform/MessageBoxService.h"
#include "platform/MixerService.h"
#include "platform/ModulePathService.h"
#include "platform/ProcessControl.h"
#include "platform/ProcessListService.h"
#include "platform/RegistryService.h"
#include "platform/ScreenService.h"
#include "platform/SystemInfoService.h"

namespace kob {

// The platform services the windows reach the system through. WinMain binds them to the Win32 adapters;
// unit tests bind them to fakes.
struct Services {
    MixerService& mixer;
    MessageBoxService& messages;
    ProcessControl& process;
    ScreenService& screen;
    RegistryService& registry;
    ProcessListService& processList;
    SystemInfoService& systemInfo;
    ModulePathService& modulePath;
};

} // namespace kob
