#include <gtest/gtest.h>

#include <memory>

#include "controller/ControllerSlot.h"
#include "fakes/FakeController.h"

namespace kob::test {
namespace {

class ControllerSlotTest : public ::testing::Test {
protected:
    FakePlatform platform;
    MasterVolume volume{platform.volume};
    StartupFacts facts;
    FakeControllerWindows windows;
    int unloadsHeard = 0;
    ControllerSlot slot{
        windows.Maker(), ControllerServicesOf(platform), volume,
        facts,           [this] { ++unloadsHeard; },     [](const Notice&) { ADD_FAILURE() << "nothing to report"; }};
};

TEST_F(ControllerSlotTest, NothingOfAShowingRemainsInTheNext) {
    Controller& first = *slot.Show().Value();
    // Drag the knob half-way down and keep it held, move the window, arm the track.
    first.OnKnobPressed(Twips(100));
    first.OnKnobDragged(Twips(100 + 690));
    first.OnBackgroundPointerMoved(HeldButtons::None, 300, 900);
    first.OnBackgroundPointerMoved(HeldButtons::LeftAlone, 300 - 1500, 900);
    first.OnTrackClicked();
    slot.Hide();
    EXPECT_EQ(unloadsHeard, 1);

    Controller& second = *slot.Show().Value();
    ASSERT_EQ(windows.views.size(), 2u);
    EXPECT_NE(&second, &first);
    FakeControllerView& view = *windows.views[1];
    EXPECT_FLOAT_EQ(view.knobTop, 1160.0f); // the volume the first showing set: 50 %
    EXPECT_EQ(view.shownAt.x, 874);
    EXPECT_EQ(view.shownAt.y, 548);
    EXPECT_FALSE(view.topmost);
    const int writes = platform.volume.writes;
    second.OnKnobDragged(Twips(100));
    second.OnTrackPointerMoved(Twips(100));
    EXPECT_EQ(platform.volume.writes, writes) << "no drag and no armed track";
    second.OnBackgroundClicked();
    EXPECT_TRUE(view.TimerEnabled(ControllerTimer::Fade)) << "not marked as just moved";
    second.OnBackgroundPointerMoved(HeldButtons::LeftAlone, 15, 0);
    EXPECT_FLOAT_EQ(view.windowLeft, 874 * 15 + 15) << "no grab point";
}

TEST_F(ControllerSlotTest, ShowingAgainUnloadsTheShowingStillLoaded) {
    slot.Show();
    slot.Show();
    ASSERT_EQ(windows.showings.size(), 2u);
    EXPECT_FALSE(windows.showings[0]->Loaded());
    EXPECT_TRUE(windows.showings[1]->Loaded());
    EXPECT_EQ(slot.Loaded(), &windows.showings[1]->Logic());
    windows.showings[0]->Load();
    EXPECT_FALSE(windows.showings[0]->Loaded()) << "a showing loads once";
    EXPECT_EQ(unloadsHeard, 1);
}

TEST_F(ControllerSlotTest, AShowingThatEndsByItselfIsFreedOnlyByFreeHidden) {
    slot.Show();
    // The window closes from inside its own handler (the last tick of the fade): it must outlive that handler.
    windows.views[0]->Unload();
    EXPECT_EQ(slot.Loaded(), nullptr);
    EXPECT_EQ(windows.alive, 1);
    slot.FreeHidden();
    EXPECT_EQ(windows.alive, 0);
    slot.Hide(); // nothing left to unload
    slot.Show();
    slot.Hide();
    EXPECT_EQ(windows.alive, 1);
    slot.FreeHidden();
    EXPECT_EQ(windows.alive, 0);
}

TEST_F(ControllerSlotTest, TheUnseenLoadDiscoversTheVolumeControlAndUnloadsWithoutAWindow) {
    slot.Show();
    platform.volume.calls.clear();
    EXPECT_EQ(slot.LearnDeviceName(), std::nullopt);
    EXPECT_FALSE(windows.showings[0]->Loaded()) << "the showing that was loaded is unloaded first";
    EXPECT_EQ(windows.views.size(), 1u) << "no window is made";
    EXPECT_EQ(slot.Loaded(), nullptr);
    EXPECT_EQ(unloadsHeard, 1);
    EXPECT_EQ(platform.volume.calls, (std::vector<std::string>{"LookAtVolume", "Percent"})) << "the volume was read";
    EXPECT_EQ(volume.DeviceName(), "Fake Audio Mixer") << "the find named the device";
    EXPECT_EQ(platform.volume.refusedCalls, 0);
}

} // namespace
} // namespace kob::test
