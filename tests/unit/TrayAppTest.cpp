#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "fakes/TrayAppOnFakes.h"

namespace kob::test {
namespace {

TEST(TrayAppStartTest, ANormalStartRunsItsStepsInOrderAndAddsTheTrayIconLast) {
    TrayAppOnFakes c;
    ASSERT_FALSE(c.Start());
    const auto& log = c.platform.log;
    const char* order[] = {"app.Create",
                           "app.HideFromTaskList",
                           "CreateMutex kob3.0",
                           "TakeMutex Local\\kob3.0-",
                           "registry.Read cstpval",
                           "GetVersionEx",
                           "GetSystemDirectory",
                           "EnumProcesses",
                           "volume.PrepareMute",
                           "app.MuteMonitor on",
                           "volume.PrepareVolume",
                           "volume.Percent",
                           "app.AddTrayIcon"};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        EXPECT_GE(log.IndexOf(order[i - 1]), 0) << order[i - 1];
        EXPECT_LT(log.IndexOf(order[i - 1]), log.IndexOf(order[i])) << order[i - 1] << " before " << order[i];
    }
    EXPECT_TRUE(c.platform.messages.shown.empty());
    EXPECT_TRUE(c.view.trayIconAdded);
    EXPECT_FALSE(c.platform.registry.HasValue(HKLM, kRunKeyPath, kTitle));
}

TEST(TrayAppStartTest, TheStartUpLoadsTheControllerWithoutAWindowAndTheFirstClickShowsTheFirstOne) {
    TrayAppOnFakes c;
    ASSERT_FALSE(c.Start());
    // The load found the volume control and read the volume, without ever asking for a window: nothing was made
    // that could be shown.
    EXPECT_TRUE(c.platform.log.Contains("volume.PrepareVolume"));
    EXPECT_TRUE(c.platform.log.Contains("volume.Percent")) << "the volume was read";
    EXPECT_TRUE(c.windows.showings.empty());
    EXPECT_FALSE(c.platform.log.Contains("app.BringToForeground"));
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
    } refusals[] = {
        {"the program's window cannot be made", [](TrayAppOnFakes& c) { c.view.createFails = true; }, 4,
         "Unable to create the program's window.", MessageIcon::Error},
        {"program key missing",
         [](TrayAppOnFakes& c) {
             c.platform.registry.keys.erase({HKCU, kProgramKeyPath});
         },
         1, "KOB Installation Error. Please re-install the program to correct this problem", MessageIcon::Error},
        {"cstpval missing",
         [](TrayAppOnFakes& c) {
             c.platform.registry.keys[{HKCU, kProgramKeyPath}].erase("cstpval");
         },
         1, "KOB Installation Error. Please re-install the program to correct this problem", MessageIcon::Error},
        {"unsupported platform on a first start",
         [](TrayAppOnFakes& c) {
             c.platform.registry.SetDword(HKCU, kProgramKeyPath, "cstpval", 1);
             c.platform.systemInfo.platform = WindowsPlatform::Windows9x;
         },
         2, "Operating System Does not support. This program only runs in Windows 2000 and XP.", MessageIcon::Error},
        {"a second copy", [](TrayAppOnFakes& c) { c.platform.systemInfo.takeResult = MutexOwnership::OwnedElsewhere; },
         kOwnProcessId, nullptr, MessageIcon::Error},
        {"a second copy found by the scan where no guard can be had",
         [](TrayAppOnFakes& c) {
             c.platform.systemInfo.takeResult = MutexOwnership::Unavailable;
             c.platform.processList.Run(2000, kOwnPath);
         },
         kOwnProcessId, nullptr, MessageIcon::Error},
        {"no mixer device", [](TrayAppOnFakes& c) { c.platform.volume.prepareFailure = VolumeFailure::NoDevice; }, 10,
         "Error! Unable to open a Mixer Device. Program will be terminated.", MessageIcon::Exclamation},
        {"no speakers line", [](TrayAppOnFakes& c) { c.platform.volume.prepareFailure = VolumeFailure::NoOutput; }, 11,
         "Error! Unable to get Mixer Line information.", MessageIcon::Exclamation},
        {"no mute control", [](TrayAppOnFakes& c) { c.platform.volume.hasMute = false; }, 12,
         "Error! Unable to retriev the controls associated with an audio line .", MessageIcon::Exclamation},
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
        EXPECT_EQ(c.platform.log.calls.back(), "EndProcess " + std::to_string(refusal.exitCode))
            << "nothing after the ending";
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
    } failures[] = {
        {"no volume control", [](FakeVolumeDevice& v) { v.hasVolume = false; },
         "Error! Unable to retriev the controls associated with an audio line .", 12},
        {"volume unreadable", [](FakeVolumeDevice& v) { v.readFails = true; },
         "Error! Can't get Mixer Control Details.", 13},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.name);
        TrayAppOnFakes c;
        failure.arrange(c.platform.volume);
        ASSERT_TRUE(c.Start());
        ASSERT_EQ(c.platform.messages.shown.size(), 1u);
        EXPECT_EQ(c.platform.messages.shown[0].text, failure.message);
        EXPECT_EQ(c.platform.messages.shown[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(c.platform.log.calls.back(), "EndProcess " + std::to_string(failure.exitCode));
        EXPECT_FALSE(c.view.trayIconAdded);
        EXPECT_TRUE(c.windows.showings.empty());
    }
}

} // namespace
} // namespace kob::test
