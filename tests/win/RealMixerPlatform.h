#pragma once

#include "fakes/FakeServices.h"
#include "mixer/Mixer.h"
#include "mixer/win32/Win32Mixer.h"
#include "platform/win32/Win32Screen.h"

namespace kob::test {

// The real mixer and screen in place of the fakes, for the controller; messages and process endings are recorded so a
// failure can neither block nor end a test.
struct RealMixerPlatform {
    CallLog log;
    FakeMessageBox messages{log};
    FakeProcess process{log};
    Win32Screen screen;
    Win32Mixer device;
    Mixer mixer{device, messages, process};
    // Settings and launches are not these tests' concern.
    FakeRegistry registry{log};
    FakeModulePath modulePath;
    Settings settings{registry, messages, modulePath, process};
    FakeLauncher launcher{log};
};

} // namespace kob::test
