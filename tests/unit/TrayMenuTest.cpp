#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/TrayAppOnFakes.h"

namespace kob::test {
namespace {

class TrayMenuTest : public ::testing::Test {
protected:
    TrayMenuTest() {
        c.Start();
        c.app.FreeHiddenControllers();
        c.view.calls.clear();
    }
    void StoreControllerState(std::uint32_t value) {
        c.platform.registry.SetDword(HKCU, kProgramKeyPath, "ontopstat", value);
    }
    std::uint32_t StoredControllerState() { return c.platform.registry.Dword(HKCU, kProgramKeyPath, "ontopstat"); }
    void Choose(MenuCommand command) {
        c.view.choice = command;
        c.app.OnTrayIconEvent(TrayIconEvent::RightButtonDown);
    }
    TrayAppOnFakes c;
};

TEST_F(TrayMenuTest, TheKeepOnTopItemFollowsTheStoredStateAndAnUnreadableOneLeavesIt) {
    constexpr std::int64_t kMissing = -1;
    const struct {
        std::vector<std::int64_t> stored; // ontopstat before each pop-up
        KeepOnTopItem shown;              // the item at the last one
    } rows[] = {
        {{2}, {false, false}},           {{1}, {true, true}},        {{0}, {false, true}},
        {{1, 7}, {true, true}},          {{2, 7}, {false, false}},   {{1, kMissing}, {true, true}},
        {{2, kMissing}, {false, false}}, {{1, 2, 0}, {false, true}},
    };
    for (const auto& row : rows) {
        TrayAppOnFakes fresh;
        fresh.Start();
        for (const std::int64_t value : row.stored) {
            if (value == kMissing) {
                fresh.platform.registry.keys[{HKCU, kProgramKeyPath}].erase("ontopstat");
            } else {
                fresh.platform.registry.SetDword(HKCU, kProgramKeyPath, "ontopstat", static_cast<std::uint32_t>(value));
            }
            fresh.app.OnTrayIconEvent(TrayIconEvent::RightButtonDown);
        }
        EXPECT_EQ(fresh.view.menuShownWith.checked, row.shown.checked) << row.stored.back();
        EXPECT_EQ(fresh.view.menuShownWith.enabled, row.shown.enabled) << row.stored.back();
        EXPECT_TRUE(fresh.platform.messages.shown.empty());
    }
    c.app.OnTrayIconEvent(TrayIconEvent::RightButtonDown);
    EXPECT_EQ(c.view.calls, (std::vector<std::string>{"BringToForeground", "ShowMenu"}));
}

TEST_F(TrayMenuTest, ARightPressOpensTheMenuALeftReleaseOrDoubleClickShowsTheControllerAMiddleReleaseMutes) {
    using E = TrayIconEvent;
    const struct {
        TrayIconEvent event;
        int menus;
        std::size_t showings;
        bool mutes;
    } rows[] = {{E::RightButtonDown, 1, 0, false},
                {E::LeftButtonUp, 0, 1, false},
                {E::LeftDoubleClick, 0, 1, false},
                {E::Other, 0, 0, false},
                {E::MiddleButtonUp, 0, 0, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.event));
        const int menus = c.view.menusShown;
        const std::size_t showings = c.windows.showings.size();
        const int writes = c.platform.volume.writes;
        c.app.OnTrayIconEvent(row.event);
        EXPECT_EQ(c.view.menusShown - menus, row.menus);
        EXPECT_EQ(c.windows.showings.size() - showings, row.showings);
        EXPECT_EQ(c.platform.volume.muted, row.mutes);
        EXPECT_EQ(c.platform.volume.writes - writes, row.mutes ? 1 : 0) << "written once, never written back";
        // The picture and the shown controller's box follow at once, not at the monitor's next tick.
        EXPECT_EQ(c.view.picture, row.mutes ? TrayPicture::Muted : TrayPicture::Normal);
        if (!c.windows.showings.empty()) {
            EXPECT_EQ(c.ShowingView().muteBoxTicked, row.mutes);
        }
    }
    EXPECT_EQ(StoredControllerState(), 0u) << "the middle button records nothing of its own";
}

// The notches add up as the controller's wheel counts them (see its table); here, that the tray's turn starts from
// the device's volume, hidden or shown.
TEST_F(TrayMenuTest, TheWheelOverTheTrayIconStepsTheDevicesVolumeTwoPercentANotchShownOrNot) {
    c.platform.volume.percent = 50;
    c.app.OnTrayIconWheel(-360);
    EXPECT_EQ(c.platform.volume.percent, 44);
    c.app.OnTrayIconEvent(TrayIconEvent::LeftButtonUp);
    c.platform.volume.percent = 70; // set elsewhere since
    c.app.OnTrayIconWheel(60);
    c.app.OnTrayIconWheel(60);
    EXPECT_EQ(c.platform.volume.percent, 72);
    RunHandler(c.Showing(), [](Controller& shown) { shown.OnVolumeSyncTick(); });
    EXPECT_EQ(c.ShowingView().readout, "72") << "a shown controller follows at its next sync";
    EXPECT_FALSE(c.platform.volume.muted);
}

TEST_F(TrayMenuTest, ALeftClickShowsTheControllerAfreshFollowingTheVolumeAndRecordsItShown) {
    StoreControllerState(2);
    Choose(MenuCommand::None); // the item greyed, as for a closed controller
    c.app.OnTrayIconEvent(TrayIconEvent::LeftButtonUp);
    const FakeControllerView& shown = c.ShowingView();
    EXPECT_TRUE(c.Showing().Loaded());
    EXPECT_TRUE(shown.foreground);
    EXPECT_TRUE(shown.TimerEnabled(ControllerTimer::VolumeSync));
    EXPECT_EQ(shown.shownAt.x, 874);
    EXPECT_EQ(StoredControllerState(), 0u);
    StoreControllerState(7); // no state: the pop-up shows the item as the click left it, enabled
    Choose(MenuCommand::None);
    EXPECT_TRUE(c.view.menuShownWith.enabled);
}

TEST_F(TrayMenuTest, KeepControllerOnTopTwiceReturnsToNormal) {
    c.app.OnTrayIconEvent(TrayIconEvent::LeftButtonUp);
    const FakeControllerView& shown = c.ShowingView();
    Choose(MenuCommand::KeepOnTop);
    EXPECT_TRUE(shown.topmost);
    EXPECT_EQ(StoredControllerState(), 1u);
    Choose(MenuCommand::KeepOnTop);
    EXPECT_TRUE(c.view.menuShownWith.checked) << "the pop-up showed the item checked";
    EXPECT_FALSE(shown.topmost);
    EXPECT_EQ(StoredControllerState(), 0u);
    EXPECT_EQ(c.windows.showings.size(), 1u) << "the same controller";
}

TEST_F(TrayMenuTest, KeepControllerOnTopWithNoControllerLoadsOneFirst) {
    c.app.RunMenuCommand(MenuCommand::KeepOnTop);
    ASSERT_TRUE(c.Showing().Loaded());
    EXPECT_TRUE(c.ShowingView().topmost);
    EXPECT_TRUE(c.ShowingView().TimerEnabled(ControllerTimer::VolumeSync)) << "it follows the volume";
    EXPECT_EQ(StoredControllerState(), 1u);
}

TEST_F(TrayMenuTest, TheCommandsThatOpenSomething) {
    const struct {
        MenuCommand command;
        const char* call;    // to the tray window, after the menu
        const char* started; // the command line started, if any
    } commands[] = {
        {MenuCommand::About, "ShowAbout", nullptr},
        {MenuCommand::Options, "ShowOptions", nullptr},
        {MenuCommand::Help, "OpenMaximized C:\\Program Files\\Drovo Volume Controller\\KOBHELP.HTM", nullptr},
        {MenuCommand::Website, "OpenMaximized http://marlox.example.com", nullptr},
        {MenuCommand::VolumeControl, "ShowMenu", "\"C:\\WINDOWS\\system32\\sndvol32.exe\""},
        {MenuCommand::AudioProperties, "ShowMenu",
         "\"C:\\WINDOWS\\system32\\rundll32.exe\" shell32.dll,Control_RunDLL mmsys.cpl"},
    };
    for (const auto& command : commands) {
        const std::size_t started = c.platform.launcher.started.size();
        Choose(command.command);
        EXPECT_EQ(c.view.calls.back(), command.call);
        ASSERT_EQ(c.platform.launcher.started.size(), started + (command.started ? 1 : 0));
        if (command.started) {
            EXPECT_EQ(c.platform.launcher.started.back(), command.started);
        }
    }
    c.platform.launcher.failWith = "File not found";
    Choose(MenuCommand::VolumeControl);
    Choose(MenuCommand::AudioProperties);
    ASSERT_EQ(c.platform.messages.shown.size(), 2u);
    EXPECT_EQ(c.platform.messages.shown[0].text, "Unable to open Windows Volume Control File not found");
    EXPECT_EQ(c.platform.messages.shown[1].text, "Unable to open Audio properties. File not found");
    EXPECT_EQ(c.platform.messages.shown[1].icon, MessageIcon::Exclamation);
}

TEST_F(TrayMenuTest, TheVolumeControlIsSndvolWhereOnlyThatExists) {
    const struct {
        std::set<std::string> files;
        const char* started;
    } systems[] = {
        {{}, "\"C:\\WINDOWS\\system32\\sndvol32.exe\""},
        {{"C:\\WINDOWS\\system32\\sndvol.exe"}, "\"C:\\WINDOWS\\system32\\sndvol.exe\""},
        {{"C:\\WINDOWS\\system32\\sndvol.exe", "C:\\WINDOWS\\system32\\sndvol32.exe"},
         "\"C:\\WINDOWS\\system32\\sndvol32.exe\""},
    };
    for (const auto& system : systems) {
        c.platform.launcher.files = system.files;
        Choose(MenuCommand::VolumeControl);
        EXPECT_EQ(c.platform.launcher.started.back(), system.started);
        EXPECT_EQ(c.view.calls.back(), "ShowMenu");
    }
}

TEST_F(TrayMenuTest, TheExitRecordsTheControllerClosedRemovesTheIconAndEndsAtOnce) {
    c.app.OnTrayIconEvent(TrayIconEvent::LeftButtonUp);
    c.view.choice = MenuCommand::Exit;
    c.app.OnTrayIconEvent(TrayIconEvent::RightButtonDown);
    EXPECT_EQ(StoredControllerState(), 2u);
    EXPECT_FALSE(c.view.trayIconAdded);
    EXPECT_EQ(c.platform.process.exitCode, 0u);
    EXPECT_EQ(c.Activity(), c.activityAtEnd) << "nothing after the ending";
    EXPECT_TRUE(c.Showing().Loaded()) << "no unload or fade runs";
    const auto& done = c.ShowingView().operations;
    EXPECT_EQ(std::count(done.begin(), done.end(), "Unload"), 0);
}

TEST_F(TrayMenuTest, TestSoundShowsTheMissingFileMessageOnceForEachFailedStep) {
    const std::string missing = "The .wav file referred by the Drovo Volume Controller is missing. Please reinstall "
                                "the program to install the sound file. ";
    const struct {
        std::set<std::string> failing;
        std::size_t messages;
    } rows[] = {{{}, 0}, {{"Open", "Play"}, 2}, {{"Play"}, 1}, {{"Open"}, 1}};
    for (const auto& row : rows) {
        TrayAppOnFakes s;
        s.Start();
        s.platform.sound.failing = row.failing;
        s.platform.sound.steps.clear();
        s.app.RunMenuCommand(MenuCommand::TestSound);
        const std::vector<std::string> steps{"Open C:\\Program Files\\Drovo Volume Controller\\POURING.WAV", "Play"};
        EXPECT_EQ(s.platform.sound.steps, steps) << "every step is tried";
        ASSERT_EQ(s.platform.messages.shown.size(), row.messages);
        for (const auto& shown : s.platform.messages.shown) {
            EXPECT_EQ(shown.text, missing);
            EXPECT_EQ(shown.icon, MessageIcon::Exclamation);
        }
    }
}

TEST_F(TrayMenuTest, TheEndOfTheSoundStopsAndClosesAndPlayingAgainRestartsWithoutAMessage) {
    c.app.RunMenuCommand(MenuCommand::TestSound);
    c.app.RunMenuCommand(MenuCommand::TestSound);
    c.app.OnTestSoundDone();
    const auto& calls = c.platform.sound.steps;
    const std::string open = "Open C:\\Program Files\\Drovo Volume Controller\\POURING.WAV";
    EXPECT_EQ(calls, (std::vector<std::string>{open, "Play", "Stop", "Close", open, "Play", "Stop", "Close"}));
    EXPECT_TRUE(c.platform.messages.shown.empty());
}

TEST_F(TrayMenuTest, HelpAndTestSoundReachTheirFilesInAFolderNamedInAnyScript) {
    // GetModuleFileNameA spells what the ANSI code page cannot as '?'; the 8.3 form is plain ASCII.
    auto& modulePath = c.platform.modulePath;
    modulePath.executablePath = "C:\\?????????\\?????????\\kob3.0.exe";
    modulePath.ansiLongPath.reset();
    modulePath.ansiShortPath = "C:\\D09F~1\\D093~1\\KOB30~1.EXE";
    modulePath.widePath = u"C:\\\u041F\u0440\u043E\u0433\u0440\u0430\u043C\u043C\u044B\\"
                          u"\u0413\u0440\u043E\u043C\u043A\u043E\u0441\u0442\u044C\\kob3.0.exe";
    Choose(MenuCommand::Help);
    EXPECT_EQ(c.view.opened.back(), u"C:\\\u041F\u0440\u043E\u0433\u0440\u0430\u043C\u043C\u044B\\"
                                    u"\u0413\u0440\u043E\u043C\u043A\u043E\u0441\u0442\u044C\\KOBHELP.HTM");
    // The multimedia device opens files through ANSI functions only.
    Choose(MenuCommand::TestSound);
    EXPECT_EQ(c.platform.sound.steps.at(0), "Open C:\\D09F~1\\D093~1\\POURING.WAV");
    EXPECT_TRUE(c.platform.messages.shown.empty());
}

TEST_F(TrayMenuTest, ClosingTheTrayWindowRecordsTheControllerClosed) {
    StoreControllerState(1);
    c.app.OnClosedBySystem();
    EXPECT_EQ(StoredControllerState(), 2u);
}

} // namespace
} // namespace kob::test
