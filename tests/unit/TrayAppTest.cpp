#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>

#include "fakes/TrayAppOnFakes.h"

namespace kob::test {
namespace {

bool Received(const std::vector<std::string>& calls, const std::string& prefix) {
    return std::any_of(calls.begin(), calls.end(), [&](const std::string& c) { return c.rfind(prefix, 0) == 0; });
}

// The steps of the start-up, in their order, each known by what it leaves behind.
const std::vector<std::string> kStartSteps{"window",  "hidden",      "guard made",        "guard taken", "settings",
                                           "version", "sys folder",  "processes",         "mute",        "mute monitor",
                                           "volume",  "volume read", "restart requested", "tray icon"};

// The start-up steps that ran, in start order.
std::vector<std::string> StepsRun(const TrayAppOnFakes& c) {
    const auto& p = c.platform;
    const bool ran[] = {Received(c.view.calls, "Create"),
                        Received(c.view.calls, "HideFromTaskList"),
                        Received(p.systemInfo.calls, "CreateMutex kob3.0"),
                        Received(p.systemInfo.calls, "TakeMutex Local\\kob3.0-"),
                        p.registry.opens > 0,
                        Received(p.systemInfo.calls, "GetVersionEx"),
                        Received(p.systemInfo.calls, "GetSystemDirectory"),
                        p.processList.listings > 0,
                        Received(p.volume.calls, "LookAtMute"),
                        Received(c.view.calls, "MuteMonitor on"),
                        Received(p.volume.calls, "LookAtVolume"),
                        Received(p.volume.calls, "Percent"),
                        p.process.restartRequests == 1,
                        Received(c.view.calls, "AddTrayIcon")};
    std::vector<std::string> steps;
    for (std::size_t i = 0; i < kStartSteps.size(); ++i) {
        if (ran[i]) {
            steps.push_back(kStartSteps[i]);
        }
    }
    return steps;
}

// The start-up steps up to and including the one named.
std::vector<std::string> StepsThrough(const std::string& last) {
    return {kStartSteps.begin(), std::find(kStartSteps.begin(), kStartSteps.end(), last) + 1};
}

TEST(TrayAppStartTest, ANormalStartRunsItsStepsInOrderAndAddsTheTrayIconLast) {
    TrayAppOnFakes c;
    // The steps run by each call to the tray window; the refused starts below each stop at their own step.
    std::map<std::string, std::vector<std::string>> stepsAt;
    c.view.onCall = [&] { stepsAt[c.view.calls.back()] = StepsRun(c); };
    ASSERT_FALSE(c.Start());
    EXPECT_EQ(stepsAt["HideFromTaskList"], StepsThrough("hidden"));
    EXPECT_EQ(stepsAt["MuteMonitor on"], StepsThrough("mute monitor"));
    EXPECT_EQ(stepsAt["AddTrayIcon"], kStartSteps);
    EXPECT_EQ(c.platform.systemInfo.calls.front(), "CreateMutex kob3.0") << "the guard is made before it is taken";
    EXPECT_TRUE(c.platform.messages.shown.empty());
    EXPECT_TRUE(c.view.trayIconAdded);
    EXPECT_FALSE(c.platform.registry.HasValue(HKLM, kRunKeyPath, kTitle));
}

TEST(TrayAppStartTest, TheStartUpLoadsTheControllerWithoutAWindowAndTheFirstClickShowsTheFirstOne) {
    TrayAppOnFakes c;
    ASSERT_FALSE(c.Start());
    // The load found the volume control and read the volume, without ever asking for a window: nothing was made
    // that could be shown.
    EXPECT_TRUE(Received(c.platform.volume.calls, "LookAtVolume"));
    EXPECT_TRUE(Received(c.platform.volume.calls, "Percent")) << "the volume was read";
    EXPECT_TRUE(c.windows.showings.empty());
    EXPECT_FALSE(Received(c.view.calls, "BringToForeground"));
    // It found the device's name, which About shows without a controller.
    c.app.RunMenuCommand(MenuCommand::About);
    EXPECT_EQ(c.view.aboutNames, "Fake Audio Mixer");
    EXPECT_TRUE(c.windows.showings.empty()) << "About needs no controller";

    c.app.OnTrayIconEvent(TrayIconEvent::LeftButtonUp);
    ASSERT_EQ(c.windows.showings.size(), 1u);
    EXPECT_TRUE(c.Showing().Loaded());
    EXPECT_TRUE(c.ShowingView().visible);
    EXPECT_TRUE(c.ShowingView().foreground);
}

TEST(TrayAppStartTest, AFirstStartRegistersTheProgramAndRecordsTheControllerClosed) {
    TrayAppOnFakes c;
    c.platform.registry.SetDword(HKCU, kProgramKeyPath, "cstpval", 1);
    ASSERT_FALSE(c.Start());
    EXPECT_TRUE(c.platform.registry.HasValue(HKLM, kRunKeyPath, kTitle));
    EXPECT_EQ(c.platform.registry.Dword(HKCU, kProgramKeyPath, "cstpval"), 0u);
    EXPECT_EQ(c.platform.registry.Dword(HKCU, kProgramKeyPath, "ontopstat"), 2u);
    EXPECT_TRUE(c.view.trayIconAdded);
}

TEST(TrayAppStartTest, EveryRefusedStartEndsAtOnceWithItsMessageAndNeverShowsTheTrayIcon) {
    const struct {
        const char* name;
        std::function<void(TrayAppOnFakes&)> arrange;
        std::uint32_t exitCode;
        const char* message; // nullptr: ends silently
        MessageIcon icon;
        const char* lastStep; // the step that refused
    } refusals[] = {
        {"the program's window cannot be made", [](TrayAppOnFakes& c) { c.view.createFails = true; }, 4,
         "Unable to create the program's window.", MessageIcon::Error, "window"},
        {"program key missing",
         [](TrayAppOnFakes& c) {
             c.platform.registry.keys.erase({HKCU, kProgramKeyPath});
         },
         1, "KOB Installation Error. Please re-install the program to correct this problem", MessageIcon::Error,
         "settings"},
        {"cstpval missing",
         [](TrayAppOnFakes& c) {
             c.platform.registry.keys[{HKCU, kProgramKeyPath}].erase("cstpval");
         },
         1, "KOB Installation Error. Please re-install the program to correct this problem", MessageIcon::Error,
         "settings"},
        {"unsupported platform on a first start",
         [](TrayAppOnFakes& c) {
             c.platform.registry.SetDword(HKCU, kProgramKeyPath, "cstpval", 1);
             c.platform.systemInfo.platform = WindowsPlatform::Windows9x;
         },
         2, "Operating System Does not support. This program only runs in Windows 2000 and XP.", MessageIcon::Error,
         "version"},
        {"a second copy", [](TrayAppOnFakes& c) { c.platform.systemInfo.takeResult = MutexOwnership::OwnedElsewhere; },
         kOwnProcessId, nullptr, MessageIcon::Error, "processes"},
        {"a second copy found by the scan where no guard can be had",
         [](TrayAppOnFakes& c) {
             c.platform.systemInfo.takeResult = MutexOwnership::Unavailable;
             c.platform.processList.Run(2000, kOwnPath);
         },
         kOwnProcessId, nullptr, MessageIcon::Error, "processes"},
        {"no mixer device", [](TrayAppOnFakes& c) { c.platform.volume.prepareFailure = VolumeFailure::NoDevice; }, 10,
         "Error! Unable to open a Mixer Device. Program will be terminated.", MessageIcon::Exclamation, "mute"},
        {"no speakers line", [](TrayAppOnFakes& c) { c.platform.volume.prepareFailure = VolumeFailure::NoOutput; }, 11,
         "Error! Unable to get Mixer Line information.", MessageIcon::Exclamation, "mute"},
        {"no mute control", [](TrayAppOnFakes& c) { c.platform.volume.hasMute = false; }, 12,
         "Error! Unable to retriev the controls associated with an audio line .", MessageIcon::Exclamation, "mute"},
    };
    for (const auto& refusal : refusals) {
        SCOPED_TRACE(refusal.name);
        TrayAppOnFakes c;
        refusal.arrange(c);
        ASSERT_TRUE(c.Start());
        EXPECT_EQ(c.platform.process.exitCode, refusal.exitCode);
        if (refusal.message) {
            ASSERT_EQ(c.platform.messages.shown.size(), 1u);
            EXPECT_EQ(c.platform.messages.shown[0].text, refusal.message);
            EXPECT_EQ(c.platform.messages.shown[0].title, kTitle);
            EXPECT_EQ(c.platform.messages.shown[0].icon, refusal.icon);
        } else {
            EXPECT_TRUE(c.platform.messages.shown.empty());
        }
        EXPECT_TRUE(c.platform.process.stopped);
        EXPECT_EQ(c.Activity(), c.activityAtEnd) << "nothing after the ending";
        EXPECT_EQ(StepsRun(c), StepsThrough(refusal.lastStep));
        EXPECT_FALSE(c.view.trayIconAdded);
        EXPECT_FALSE(c.view.muteMonitor);
        EXPECT_TRUE(c.windows.showings.empty()) << "the controller is never loaded";
        EXPECT_EQ(c.platform.volume.writes, 0) << "a refused start writes no volume";
    }
    // The first start's registry work comes before the platform is tested.
    TrayAppOnFakes c;
    refusals[3].arrange(c);
    c.Start();
    EXPECT_TRUE(c.platform.registry.HasValue(HKLM, kRunKeyPath, kTitle));
    EXPECT_EQ(c.platform.registry.Dword(HKCU, kProgramKeyPath, "cstpval"), 0u);
    EXPECT_EQ(c.platform.registry.Dword(HKCU, kProgramKeyPath, "ontopstat"), 2u);
}

TEST(TrayAppStartTest, AVolumeFailureWhileLoadingTheControllerEndsTheStartWithItsMessageAndNoTrayIcon) {
    const struct {
        const char* name;
        std::function<void(FakeVolumeDevice&)> arrange;
        const char* message;
        std::uint32_t exitCode;
        const char* lastStep;
    } failures[] = {
        {"no volume control", [](FakeVolumeDevice& v) { v.hasVolume = false; },
         "Error! Unable to retriev the controls associated with an audio line .", 12, "volume"},
        {"volume unreadable", [](FakeVolumeDevice& v) { v.readFails = true; },
         "Error! Can't get Mixer Control Details.", 13, "volume read"},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.name);
        TrayAppOnFakes c;
        failure.arrange(c.platform.volume);
        ASSERT_TRUE(c.Start());
        ASSERT_EQ(c.platform.messages.shown.size(), 1u);
        EXPECT_EQ(c.platform.messages.shown[0].text, failure.message);
        EXPECT_EQ(c.platform.messages.shown[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(c.platform.process.exitCode, failure.exitCode);
        EXPECT_EQ(c.Activity(), c.activityAtEnd) << "nothing after the ending";
        EXPECT_EQ(StepsRun(c), StepsThrough(failure.lastStep));
        EXPECT_FALSE(c.view.trayIconAdded);
        EXPECT_TRUE(c.windows.showings.empty());
    }
}

} // namespace
} // namespace kob::test
