#pragma once

#include <string>
#include <vector>

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
        platform.process.onEnd = [this] {
            if (activityAtEnd.empty()) {
                activityAtEnd = Activity();
            }
        };
    }
    // Runs the start-up sequence; true when it ended the program.
    bool Start() {
        app.Start();
        return platform.process.ended;
    }
    // The latest showing of the controller, and its window.
    ControllerShowing& Showing() { return *windows.showings.back(); }
    FakeControllerView& ShowingView() { return *windows.views.back(); }
    // How much each fake has received: the same at the ending and after it when nothing ran after the ending.
    std::vector<std::size_t> Activity() const {
        const auto& p = platform;
        return {p.messages.shown.size(),
                static_cast<std::size_t>(p.registry.opens),
                p.registry.writes.size(),
                p.registry.deleted.size(),
                p.volume.calls.size(),
                p.launcher.started.size(),
                p.sound.steps.size(),
                static_cast<std::size_t>(p.processList.listings),
                p.processList.examined.size(),
                p.systemInfo.calls.size(),
                view.calls.size(),
                windows.views.size(),
                static_cast<std::size_t>(windows.operations)};
    }

    FakePlatform platform;
    FakeTrayView view;
    FakeControllerWindows windows;
    // What the fakes had received at the first ending.
    std::vector<std::size_t> activityAtEnd;
    TrayApp app{view,
                {platform.messages, platform.process, platform.settings, platform.processList, platform.systemInfo,
                 platform.modulePath, platform.launcher},
                [this]() -> VolumeDevice& { return platform.volume; },
                platform.sound,
                ControllerServicesOf(platform),
                windows.Maker()};
};

} // namespace kob::test
