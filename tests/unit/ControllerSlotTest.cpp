#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "controller/ControllerSlot.h"
#include "fakes/FakeController.h"

namespace kob::test {
namespace {

constexpr int kLeft = 1;

class ControllerSlotTest : public ::testing::Test {
protected:
    FakePlatform platform;
    MasterVolume volume{platform.volume, platform.messages, platform.process};
    StartupFacts facts;
    FakeShowings showings{platform};
    FakeControllerHost host{platform.log};
    ControllerSlot slot{showings, host, volume, facts};
};

TEST_F(ControllerSlotTest, NothingOfAShowingRemainsInTheNext) {
    Controller& first = slot.ShowAfresh();
    // Drag the knob half-way down and keep it held, move the window, arm the track.
    first.OnKnobPressed(kLeft, 0, 100, 100);
    first.OnKnobDragged(kLeft, 0, 100, 100 + 690);
    first.OnBackgroundPointerMoved(0, 0, 300, 900);
    first.OnBackgroundPointerMoved(kLeft, 0, 300 - 1500, 900);
    first.OnTrackClicked();
    ASSERT_TRUE(first.State().knobDragging);
    ASSERT_EQ(first.State().txtdetect, "1");
    slot.Unload();
    EXPECT_EQ(host.txtform1signal, "0");

    Controller& second = slot.ShowAfresh();
    ASSERT_EQ(showings.made.size(), 2u);
    EXPECT_NE(&second, &first);
    const ShowingState& state = second.State();
    EXPECT_FALSE(state.knobDragging);
    EXPECT_EQ(state.knobGrabY, 0);
    EXPECT_FALSE(state.trackArmed);
    EXPECT_EQ(state.grabOffsetX, 0);
    EXPECT_EQ(state.txtdetect, "0");
    EXPECT_FLOAT_EQ(state.knobTop, 1160.0f); // the volume the first showing set: 50 %
    const FakeControllerView& view = showings.made[1]->view;
    EXPECT_EQ(view.shownAt.x, 874);
    EXPECT_EQ(view.shownAt.y, 548);
    EXPECT_FALSE(view.topmost);
    EXPECT_EQ(host.txtform1signal, "1");
}

TEST_F(ControllerSlotTest, ShowingAgainUnloadsTheShowingStillLoaded) {
    slot.ShowAfresh();
    slot.ShowAfresh();
    ASSERT_EQ(showings.made.size(), 2u);
    EXPECT_FALSE(showings.made[0]->Loaded());
    EXPECT_TRUE(showings.made[1]->Loaded());
    EXPECT_EQ(slot.Loaded(), &showings.made[1]->controller);
    const auto& calls = platform.log.calls;
    std::vector<std::string> signals;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(signals),
                 [](const std::string& c) { return c.rfind("host.", 0) == 0; });
    EXPECT_EQ(signals, (std::vector<std::string>{"host.signal 1", "host.signal 0", "host.signal 1"}));
}

TEST_F(ControllerSlotTest, AShowingThatEndsByItselfIsFreedOnlyWhenDiscarded) {
    slot.ShowAfresh();
    // The window closes from inside its own handler (the last tick of the fade): it must outlive that handler.
    showings.made[0]->view.Unload();
    EXPECT_EQ(slot.Loaded(), nullptr);
    EXPECT_EQ(showings.alive, 1);
    slot.DiscardFinished();
    EXPECT_EQ(showings.alive, 0);
    slot.Unload(); // nothing left to unload
    slot.ShowAfresh();
    slot.Unload();
    EXPECT_EQ(showings.alive, 1);
    slot.DiscardFinished();
    EXPECT_EQ(showings.alive, 0);
}

TEST_F(ControllerSlotTest, TheUnseenLoadDiscoversTheVolumeControlAndUnloadsWithoutAWindow) {
    slot.ShowAfresh();
    platform.log.calls.clear();
    slot.LoadAndUnloadUnseen();
    EXPECT_FALSE(showings.made[0]->Loaded()) << "the showing that was loaded is unloaded first";
    EXPECT_EQ(showings.made.size(), 1u) << "no window is made";
    EXPECT_EQ(slot.Loaded(), nullptr);
    const auto& log = platform.log;
    const char* order[] = {"host.signal 0", "host.signal 1", "volume.Find Volume", "volume.ReadVolume",
                           "host.signal 0"};
    int previous = -1;
    for (const char* call : order) {
        const auto it = std::find_if(log.calls.begin() + (previous + 1), log.calls.end(),
                                     [&](const std::string& c) { return c.rfind(call, 0) == 0; });
        ASSERT_NE(it, log.calls.end()) << call << " after call " << previous;
        previous = static_cast<int>(it - log.calls.begin());
    }
    EXPECT_EQ(host.txtform1signal, "0");
    EXPECT_EQ(volume.DeviceName(), "Fake Audio Mixer") << "the find named the device";
    EXPECT_EQ(platform.volume.refusedCalls, 0);
}

} // namespace
} // namespace kob::test
