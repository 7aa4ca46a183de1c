#pragma once

#include <memory>
#include <vector>

#include "controller/win32/ControllerWindow.h"
#include "fakes/FakeServices.h"
#include "platform/win32/Win32Screen.h"
#include "volume/MasterVolume.h"
#include "volume/win32/WinmmVolume.h"

namespace kob::test {

// The real winmm mixer and screen in place of the fakes, for the controller; messages are recorded so a failure
// cannot block a test.
struct RealVolumePlatform {
    FakeMessageBox messages;
    FakeProcess process;
    Win32Screen screen;
    WinmmVolume device;
    MasterVolume volume{device};
    // Settings and launches are not these tests' concern.
    FakeRegistry registry;
    FakeModulePath modulePath;
    Settings settings{registry, modulePath};
    FakeLauncher launcher;
};

// One showing of the controller in its real window on that platform, not loaded yet.
struct RealControllerShowing {
    HWND Window() const { return window ? window->Handle() : nullptr; }

    RealVolumePlatform p;
    StartupFacts facts;
    int unloadsHeard = 0;
    ControllerWindow* window = nullptr;
    ControllerShowing showing{[this](ControllerShowing& s) {
                                  auto made =
                                      std::make_unique<ControllerWindow>(GetModuleHandleA(nullptr), p.screen, s);
                                  window = made.get();
                                  return made;
                              },
                              p.volume,
                              {p.screen, p.settings, p.launcher},
                              facts,
                              [this] { ++unloadsHeard; },
                              [this](const Notice& notice) { Report(p.messages, p.process, notice); }};
};

} // namespace kob::test
