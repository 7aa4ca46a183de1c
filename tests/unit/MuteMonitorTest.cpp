// The mute monitor: the tray icon, and the mute box of a loaded controller, follow the master mute.
#include <gtest/gtest.h>

#include "fakes/TrayAppOnFakes.h"

namespace kob::test {
namespace {

class MuteMonitorTest : public ::testing::Test {
protected:
    MuteMonitorTest() {
        c.Start();
        c.app.FreeHiddenControllers();
    }
    // A mute change made by another program, then one tick of the monitor.
    void MutedElsewhere(bool muted) {
        c.platform.volume.muted = muted;
        writesBefore = c.platform.volume.writes;
        c.app.OnMuteMonitorTick();
    }
    int WritesSinceTick() const { return c.platform.volume.writes - writesBefore; }
    int writesBefore = 0;
    TrayAppOnFakes c;
};

TEST_F(MuteMonitorTest, TheTrayIconFollowsTheMuteOnEveryTick) {
    const struct {
        bool muted;
        TrayPicture picture;
        long changes;
    } ticks[] = {{true, TrayPicture::Muted, 1},
                 {true, TrayPicture::Muted, 2},
                 {false, TrayPicture::Normal, 3},
                 {true, TrayPicture::Muted, 4}};
    for (const auto& tick : ticks) {
        MutedElsewhere(tick.muted);
        EXPECT_EQ(c.view.picture, tick.picture) << tick.muted;
        EXPECT_EQ(c.view.pictureChanges, tick.changes) << tick.muted;
        EXPECT_EQ(WritesSinceTick(), 0) << "the controller is not loaded: nothing is written";
    }
    EXPECT_TRUE(c.windows.showings.empty()) << "the monitor never loads the controller";
}

TEST_F(MuteMonitorTest, WhileTheControllerIsShownItsBoxFollowsAndWritesTheSameStateBack) {
    c.app.OnTrayIconEvent(TrayIconEvent::LeftButtonUp);
    ASSERT_TRUE(c.Showing().Loaded());
    const FakeControllerView& shown = c.ShowingView();
    EXPECT_TRUE(shown.TimerEnabled(ControllerTimer::VolumeSync));
    EXPECT_EQ(c.platform.registry.Dword(HKCU, kProgramKeyPath, "ontopstat"), 0u);
    MutedElsewhere(true);
    EXPECT_TRUE(shown.muteBoxTicked);
    EXPECT_EQ(WritesSinceTick(), 1) << "the box's change writes the same state back";
    EXPECT_TRUE(c.platform.volume.muted);
    EXPECT_EQ(c.view.picture, TrayPicture::Muted);
    MutedElsewhere(true);
    EXPECT_EQ(WritesSinceTick(), 0) << "no change, no write";
    // After the mute change the slider acts on the volume.
    c.Showing().Logic().OnTrackClicked();
    c.Showing().Logic().OnTrackPointerMoved(Twips(1010));
    EXPECT_EQ(c.platform.volume.percent, 50);
    EXPECT_TRUE(c.platform.volume.muted);
    MutedElsewhere(false);
    EXPECT_FALSE(shown.muteBoxTicked);
    EXPECT_EQ(WritesSinceTick(), 1);
    EXPECT_FALSE(c.platform.volume.muted);
    EXPECT_EQ(c.platform.volume.refusedCalls, 0);
}

TEST_F(MuteMonitorTest, ShowingTheControllerAgainGivesANewOneAndFreesTheOldOnesLater) {
    c.app.OnTrayIconEvent(TrayIconEvent::LeftButtonUp);
    c.app.OnTrayIconEvent(TrayIconEvent::LeftButtonUp);
    ASSERT_EQ(c.windows.showings.size(), 2u);
    EXPECT_FALSE(c.windows.showings[0]->Loaded());
    EXPECT_TRUE(c.windows.showings[1]->Loaded());
    EXPECT_TRUE(c.windows.views[1]->foreground);
    c.app.FreeHiddenControllers();
    EXPECT_EQ(c.windows.alive, 1);
}

TEST_F(MuteMonitorTest, TicksWithTheControllerComingAndGoingLeaveNothingBehind) {
    for (int tick = 0; tick < 60; ++tick) {
        if (tick % 20 == 0) {
            c.app.OnTrayIconEvent(TrayIconEvent::LeftButtonUp);
        } else if (tick % 20 == 10) {
            c.ShowingView().Unload(); // as at the end of its fade
            c.app.FreeHiddenControllers();
        }
        if (tick % 7 == 0) {
            c.platform.volume.muted = !c.platform.volume.muted;
        }
        c.app.OnMuteMonitorTick();
    }
    EXPECT_EQ(c.platform.volume.refusedCalls, 0);
    EXPECT_EQ(c.windows.alive, 0);
    EXPECT_TRUE(c.platform.messages.shown.empty());
}

} // namespace
} // namespace kob::test
