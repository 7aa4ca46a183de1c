#pragma once

#include <string>

#include "fakes/FakeController.h"
#include "fakes/FakeTrayView.h"
#include "tray/TrayApp.h"

namespace kob::test {

inline constexpr auto HKCU = RegistryRoot::CurrentUser;
inline constexpr auto HKLM = RegistryRoot::LocalMachine;
inline const std::string kProgramKeyPath = "Software\\Marlox's Software\\Drovo Volume Controller\\3.0";
inline const std::string kRunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const std::string kTitle = "Drovo Volume Controller 3.0";
inline const std::string kOwnPath = "C:\\Program Files\\Drovo Volume Controller\\kob3.0.exe";
inline constexpr std::uint32_t kOwnProcessId = 1234;

// The tray logic on fakes, installed as the setup leaves it and with this process in the process table.
struct TrayAppOnFakes {
    TrayAppOnFakes() {
        platform.registry.CreateKey(HKLM, kRunKeyPath);
        platform.registry.SetDword(HKCU, kProgramKeyPath, "cstpval", 0);
        platform.processList.Run(4, "System");
        platform.processList.Run(kOwnProcessId, kOwnPath);
    }
    // Runs the start-up sequence; true when it ended the program.
    bool Start() {
        app.Start();
        return platform.process.ended;
    }
    // The latest showing of the controller, and its window.
    ControllerShowing& Showing() { return *windows.showings.back(); }
    FakeControllerView& ShowingView() { return *windows.views.back(); }

    FakePlatform platform;
    FakeTrayView view{platform.log};
    FakeControllerWindows windows{platform.log};
    TrayApp app{view,
                {platform.messages, platform.process, platform.settings, platform.processList, platform.systemInfo,
                 platform.modulePath, platform.launcher},
                platform.volume,
                platform.sound,
                ControllerServicesOf(platform),
                windows.Maker()};
};

} // namespace kob::test
