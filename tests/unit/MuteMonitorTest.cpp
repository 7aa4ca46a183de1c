// The mute monitor: the tray icon, and the mute box of a loaded controller, follow the master mute.
#include <gtest/gtest.h>

#include "fakes/FakeCompanion.h"

namespace kob::test {
namespace {

class MuteMonitorTest : public ::testing::Test {
protected:
    MuteMonitorTest() {
        c.Start();
        c.app.DiscardFinishedControllers();
    }
    // A mute change made by another program, then one tick of the monitor.
    void MutedElsewhere(std::int32_t value) {
        c.platform.mixer.values[FakeMixer::kMuteId] = value;
        c.platform.mixer.written.clear();
        c.app.OnMuteMonitorTick();
    }
    Companion c;
};

TEST_F(MuteMonitorTest, TheTrayIconFollowsTheMuteOnEveryTickAndOtherValuesChangeNothing) {
    const struct {
        std::int32_t value;
        TrayPicture picture;
        long changes;
    } ticks[] = {{1, TrayPicture::Muted, 1},  {1, TrayPicture::Muted, 2},   {0, TrayPicture::Normal, 3},
                 {2, TrayPicture::Normal, 3}, {-1, TrayPicture::Normal, 3}, {1, TrayPicture::Muted, 4}};
    for (const auto& tick : ticks) {
        MutedElsewhere(tick.value);
        EXPECT_EQ(c.view.picture, tick.picture) << tick.value;
        EXPECT_EQ(c.view.pictureChanges, tick.changes) << tick.value;
        EXPECT_TRUE(c.platform.mixer.written.empty()) << "the controller is not loaded: nothing is written";
    }
    EXPECT_TRUE(c.showings.made.empty()) << "the monitor never loads the controller";
}

TEST_F(MuteMonitorTest, WhileTheControllerIsShownItsBoxFollowsAndWritesTheSameStateBack) {
    c.app.OnTrayIconEvent(TrayIconEvent::LeftButtonUp);
    FakeShowing& shown = c.Controller();
    ASSERT_TRUE(shown.Loaded());
    EXPECT_TRUE(shown.view.TimerEnabled(ControllerTimer::VolumeSync));
    EXPECT_EQ(c.platform.registry.Dword(HKCU, kProgramKeyPath, "ontopstat"), 0u);
    MutedElsewhere(1);
    EXPECT_TRUE(shown.view.muteBoxTicked);
    EXPECT_EQ(c.platform.mixer.written, std::vector<std::int32_t>{1});
    EXPECT_EQ(c.view.picture, TrayPicture::Muted);
    MutedElsewhere(1);
    EXPECT_TRUE(c.platform.mixer.written.empty()) << "no change, no write";
    // After the mute change the slider acts on the volume.
    shown.controller.OnTrackClicked();
    shown.controller.OnTrackPointerMoved(1010);
    EXPECT_EQ(c.platform.mixer.values[FakeMixer::kVolumeId], 32768);
    EXPECT_EQ(c.platform.mixer.values[FakeMixer::kMuteId], 1);
    MutedElsewhere(0);
    EXPECT_FALSE(shown.view.muteBoxTicked);
    EXPECT_EQ(c.platform.mixer.written, std::vector<std::int32_t>{0});
    EXPECT_EQ(c.platform.mixer.refusedCalls, 0);
}

TEST_F(MuteMonitorTest, ShowingTheControllerAgainGivesANewOneAndFreesTheOldOnesLater) {
    c.app.OnTrayIconEvent(TrayIconEvent::LeftButtonUp);
    c.app.OnTrayIconEvent(TrayIconEvent::LeftButtonUp);
    ASSERT_EQ(c.showings.made.size(), 2u);
    EXPECT_FALSE(c.showings.made[0]->Loaded());
    EXPECT_TRUE(c.showings.made[1]->Loaded());
    EXPECT_TRUE(c.showings.made[1]->view.foreground);
    c.app.DiscardFinishedControllers();
    EXPECT_EQ(c.showings.alive, 1);
}

TEST_F(MuteMonitorTest, AMillionTicksWithTheControllerComingAndGoingLeaveNothingBehind) {
    c.platform.log.recording = false;
    for (int tick = 0; tick < 1000000; ++tick) {
        if (tick % 5000 == 0) {
            c.app.OnTrayIconEvent(TrayIconEvent::LeftButtonUp);
        } else if (tick % 5000 == 2500) {
            c.Controller().view.Unload(); // as at the end of its fade
            c.app.DiscardFinishedControllers();
        }
        if (tick % 7 == 0) {
            c.platform.mixer.values[FakeMixer::kMuteId] ^= 1;
        }
        c.app.OnMuteMonitorTick();
    }
    EXPECT_EQ(c.platform.mixer.openHandles.size(), 1u);
    EXPECT_EQ(c.platform.mixer.opens - static_cast<int>(c.platform.mixer.closed.size()), 1);
    EXPECT_EQ(c.platform.mixer.refusedCalls, 0);
    EXPECT_EQ(c.showings.alive, 0);
    EXPECT_TRUE(c.platform.messages.shown.empty());
}

} // namespace
} // namespace kob::test
