#include <gtest/gtest.h>

#include "controller/Controller.h"
#include "fakes/FakeController.h"

namespace kob::test {
namespace {

constexpr auto HKCU = RegistryRoot::CurrentUser;
const std::string kProgramKeyPath = "Software\\Marlox's Software\\Drovo Volume Controller\\3.0";

class ControllerButtonsTest : public ::testing::Test, protected ControllerOnFakes {
protected:
    ControllerButtonsTest() {
        platform.registry.SetDword(HKCU, kProgramKeyPath, "ontopstat", 0);
        facts.systemFolder = "C:\\WINNT\\system32";
        showing.Load();
        controller.StartVolumeSync();
    }
    std::uint32_t StoredControllerState() { return platform.registry.Dword(HKCU, kProgramKeyPath, "ontopstat"); }
};

TEST_F(ControllerButtonsTest, TheMuteBoxWritesTheMuteThenGivesTheSliderTheVolumeAgain) {
    controller.OnMuteBoxToggled();
    EXPECT_TRUE(view.muteBoxTicked);
    EXPECT_TRUE(platform.volume.muted);
    // The slider moves the volume, not the mute.
    controller.OnTrackClicked();
    controller.OnTrackPointerMoved(Twips(1010)); // knob Top 1160: 50 %
    EXPECT_EQ(platform.volume.percent, 50);
    EXPECT_TRUE(platform.volume.muted);
    controller.OnMuteBoxToggled();
    EXPECT_FALSE(platform.volume.muted);
    EXPECT_FALSE(view.muteBoxTicked);
    // Setting the box only shows it, as a check box's own setter does.
    const int writes = platform.volume.writes;
    EXPECT_TRUE(controller.SetMuteBox(true));
    EXPECT_FALSE(controller.SetMuteBox(true));
    EXPECT_TRUE(view.muteBoxTicked);
    EXPECT_EQ(platform.volume.writes, writes);
    EXPECT_FALSE(platform.volume.muted);
    EXPECT_EQ(platform.volume.refusedCalls, 0);
}

TEST_F(ControllerButtonsTest, EachWayOfClosing) {
    const struct {
        const char* name;
        void (*close)(Controller&);
        bool fades;
        bool syncStops;
        bool unloadsAtOnce;
    } ways[] = {
        {"close button", [](Controller& f) { f.OnCloseClicked(); }, true, true, false},
        {"background click", [](Controller& f) { f.OnBackgroundClicked(); }, true, true, false},
        {"background double-click", [](Controller& f) { f.OnBackgroundDoubleClicked(); }, true, false, false},
        {"Audio Properties double-click", [](Controller& f) { f.OnAudioPropertiesSpotDoubleClicked(); }, false, true,
         true},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        ControllerOnFakes c;
        FakePlatform& p = c.platform;
        p.registry.SetDword(HKCU, kProgramKeyPath, "ontopstat", 0);
        c.showing.Load();
        c.controller.StartVolumeSync();
        way.close(c.controller);
        EXPECT_EQ(p.registry.Dword(HKCU, kProgramKeyPath, "ontopstat"), 2u);
        EXPECT_EQ(c.view.TimerEnabled(ControllerTimer::Fade), way.fades);
        EXPECT_EQ(c.view.TimerEnabled(ControllerTimer::VolumeSync), !way.syncStops);
        EXPECT_EQ(c.showing.Loaded(), !way.unloadsAtOnce);
        EXPECT_EQ(c.unloadsHeard, way.unloadsAtOnce ? 1 : 0);
        EXPECT_TRUE(c.view.opacities.empty());
        EXPECT_TRUE(p.launcher.started.empty()) << "a double-click's own handler launches nothing";
    }
}

TEST_F(ControllerButtonsTest, AClickThatEndsAWindowDragDoesNotCloseALaterOneDoes) {
    controller.OnBackgroundPointerMoved(HeldButtons::None, 300, 900);
    controller.OnBackgroundPointerMoved(HeldButtons::LeftAlone, 200, 900);
    controller.OnBackgroundReleased();
    controller.OnBackgroundClicked();
    EXPECT_FALSE(view.TimerEnabled(ControllerTimer::Fade));
    EXPECT_EQ(StoredControllerState(), 0u);
    controller.OnDragSettleTick();
    controller.OnBackgroundReleased();
    controller.OnBackgroundClicked();
    EXPECT_TRUE(view.TimerEnabled(ControllerTimer::Fade));
    EXPECT_EQ(StoredControllerState(), 2u);
    // After a drag, a double-click alone starts the fade.
    ControllerOnFakes c;
    c.showing.Load();
    c.controller.OnBackgroundPointerMoved(HeldButtons::None, 300, 900);
    c.controller.OnBackgroundPointerMoved(HeldButtons::LeftAlone, 200, 900);
    c.controller.OnBackgroundClicked();
    c.controller.OnBackgroundDoubleClicked();
    EXPECT_TRUE(c.view.TimerEnabled(ControllerTimer::Fade));
}

TEST_F(ControllerButtonsTest, TheFadeSteps84OpacitiesAndUnloadsAtThe85thTickNeverAtZero) {
    controller.OnCloseClicked();
    for (int tick = 1; tick <= 84; ++tick) {
        controller.OnFadeTick();
    }
    ASSERT_EQ(view.opacities.size(), 84u);
    for (std::size_t i = 0; i < view.opacities.size(); ++i) {
        EXPECT_EQ(view.opacities[i], 252 - 3 * static_cast<int>(i));
    }
    EXPECT_FALSE(view.unloaded);
    controller.OnFadeTick();
    EXPECT_EQ(view.opacities.size(), 84u) << "never set to 0";
    EXPECT_TRUE(view.unloaded);
    EXPECT_FALSE(view.TimerEnabled(ControllerTimer::Fade));
    EXPECT_EQ(unloadsHeard, 1);
}

TEST_F(ControllerButtonsTest, EachSyncTickShowsTheVolumeSetElsewhere) {
    for (auto [percent, shown] : {std::pair{30, "30"}, {100, "100"}, {0, "0"}}) {
        platform.volume.percent = percent;
        controller.OnVolumeSyncTick();
        EXPECT_EQ(view.readout, shown);
        view.operations.clear();
        controller.OnVolumeSyncTick();
        EXPECT_TRUE(view.operations.empty()) << "a still volume leaves the window alone";
    }
}

TEST_F(ControllerButtonsTest, TheHotSpotsStartTheSystemToolsAndAFailedStartIsReportedAndChangesNothing) {
    const struct {
        void (*click)(Controller&);
        const char* command;
        const char* failure;
    } spots[] = {
        {[](Controller& f) { f.OnVolumeControlSpotClicked(); }, "\"C:\\WINNT\\system32\\sndvol32.exe\"",
         "Unable to open Windows Volume Control "},
        {[](Controller& f) { f.OnAudioPropertiesSpotClicked(); },
         "\"C:\\WINNT\\system32\\rundll32.exe\" shell32.dll,Control_RunDLL mmsys.cpl",
         "Unable to open Audio properties. "},
    };
    for (const auto& spot : spots) {
        SCOPED_TRACE(spot.command);
        platform.launcher.started.clear();
        platform.launcher.failWith.clear();
        platform.messages.shown.clear();
        spot.click(controller);
        EXPECT_EQ(platform.launcher.started, std::vector<std::string>{spot.command});
        EXPECT_TRUE(platform.messages.shown.empty());

        platform.launcher.failWith = "The system cannot find the file specified.";
        spot.click(controller);
        ASSERT_EQ(platform.messages.shown.size(), 1u);
        EXPECT_EQ(platform.messages.shown[0].text,
                  std::string(spot.failure) + "The system cannot find the file specified.");
        EXPECT_EQ(platform.messages.shown[0].title, "Drovo Volume Controller 3.0");
        EXPECT_EQ(platform.messages.shown[0].icon, MessageIcon::Exclamation);
        EXPECT_FALSE(view.unloaded);
        EXPECT_FALSE(view.TimerEnabled(ControllerTimer::Fade));
        EXPECT_TRUE(view.TimerEnabled(ControllerTimer::VolumeSync));
        EXPECT_EQ(StoredControllerState(), 0u);
    }
}

} // namespace
} // namespace kob::test
