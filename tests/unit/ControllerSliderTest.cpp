#include <gtest/gtest.h>

#include <cmath>

#include "controller/Controller.h"
#include "controller/SliderScale.h"
#include "fakes/FakeController.h"
#include "fakes/FakeControllerView.h"
#include "fakes/FakeServices.h"
#include "volume/VolumeScale.h"

namespace kob::test {
namespace {

constexpr int kLeft = 1;
constexpr int kRight = 2;
constexpr int kMiddle = 4;

class ControllerSliderTest : public ::testing::Test {
protected:
    // Loads the controller with the master volume at the given percent.
    void LoadAt(std::int32_t percent) {
        platform.volume.volume = DeviceValueFromPercent(percent);
        controller.Load();
        platform.volume.writes = 0;
    }

    std::int32_t LastLevelWritten() const { return 100 - PercentFromDeviceValue(platform.volume.volume); }

    void ClickTrackAndMoveTo(float y) {
        controller.OnTrackReleased(kLeft, 0, 100, y);
        controller.OnTrackClicked();
        controller.OnTrackPointerMoved(0, 0, 100, y);
    }

    FakePlatform platform;
    MasterVolume volume{platform.volume, platform.messages, platform.process};
    FakeControllerView view{platform.log};
    FakeControllerHost host{platform.log};
    StartupFacts facts;
    Controller controller{view, volume, ControllerServicesOf(platform), facts, host};
};

TEST_F(ControllerSliderTest, KnobTopGivesTheWorkedLevels) {
    LoadAt(100);
    const std::pair<float, std::int32_t> table[] = {{470, 0},   {480, 1},   {495, 2},   {1160, 50},
                                                    {1500, 75}, {1830, 99}, {1845, 100}};
    for (const auto& [top, level] : table) {
        ClickTrackAndMoveTo(top - 150);
        ASSERT_GT(platform.volume.writes, 0);
        EXPECT_EQ(platform.volume.volume, DeviceValueFromPercent(100 - level)) << "top " << top;
        EXPECT_FLOAT_EQ(view.knobTop, KnobTopFromPercent(100 - level)) << "top " << top;
    }
}

TEST_F(ControllerSliderTest, EachMoveWritesThenReadsTheVolume) {
    LoadAt(100);
    controller.OnKnobPressed(kLeft, 0, 100, 135);
    const auto before = platform.log.calls.size();
    controller.OnKnobDragged(kLeft, 0, 100, 300);
    const std::vector<std::string> calls(platform.log.calls.begin() + static_cast<long>(before),
                                         platform.log.calls.end());
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0], "view.SetKnobTop");
    EXPECT_EQ(calls[1].rfind("volume.WriteVolume", 0), 0u);
    EXPECT_EQ(calls[2], "volume.ReadVolume");
    EXPECT_EQ(calls[3], "view.SetKnobTop");
    EXPECT_EQ(calls[4], "view.SetReadout");
}

TEST_F(ControllerSliderTest, AtFullVolumeAnUpwardOrFlatMoveEndsTheDragAtLevelZero) {
    for (float y : {90.0f, 100.0f}) {
        LoadAt(100);
        controller.OnKnobPressed(kLeft, 0, 50, 100);
        controller.OnKnobDragged(kLeft, 0, 50, y);
        EXPECT_FALSE(controller.State().knobDragging) << y;
        EXPECT_FLOAT_EQ(view.knobTop, 470.0f);
        EXPECT_EQ(platform.volume.writes, 1);
        EXPECT_EQ(platform.volume.volume, 65535);
        // The drag is over: moves before the next press change nothing.
        controller.OnKnobDragged(kLeft, 0, 50, 400);
        EXPECT_EQ(platform.volume.writes, 1);
    }
}

TEST_F(ControllerSliderTest, DraggingPastTheBottomStopsAt1845ThenSnapsTo1850) {
    LoadAt(50);
    // Exactly onto the bottom stop (Top 1160 + 685) is still inside the travel: the drag goes on.
    controller.OnKnobPressed(kLeft, 0, 50, 100);
    controller.OnKnobDragged(kLeft, 0, 50, 100 + 685);
    EXPECT_TRUE(controller.State().knobDragging);
    EXPECT_EQ(platform.volume.volume, 0);
    LoadAt(50);
    controller.OnKnobPressed(kLeft, 0, 50, 100);
    controller.OnKnobDragged(kLeft, 0, 50, 1000);
    EXPECT_FALSE(controller.State().knobDragging);
    EXPECT_EQ(platform.volume.volume, 0);
    EXPECT_FLOAT_EQ(view.knobTop, 1850.0f);
    EXPECT_EQ(view.readout, "0");
    controller.OnKnobDragged(kLeft, 0, 50, 2000);
    EXPECT_EQ(platform.volume.writes, 1);
}

TEST_F(ControllerSliderTest, DuringADragTheKnobSnapsToWholePercents) {
    LoadAt(100);
    // The pointer moves down the window; the knob reports it relative to wherever the knob is now.
    const float grab = 100;
    controller.OnKnobPressed(kLeft, 0, 100, grab);
    for (float pointer = 470 + grab + 7; pointer < 470 + grab + 400; pointer += 7) {
        controller.OnKnobDragged(kLeft, 0, 100, pointer - view.knobTop);
        const double steps = (view.knobTop - 470.0) / 13.8;
        EXPECT_NEAR(steps, std::round(steps), 1e-4) << "pointer at " << pointer;
        EXPECT_NEAR(view.knobTop, pointer - grab, 13.8) << "the knob follows the pointer";
    }
    EXPECT_TRUE(controller.State().knobDragging);
    EXPECT_GT(LastLevelWritten(), 10);
    controller.OnKnobReleased(kLeft, 0, 100, 400);
    EXPECT_FALSE(controller.State().knobDragging);
}

TEST_F(ControllerSliderTest, TheGrabPointIsRoundedHalfToEven) {
    LoadAt(100);
    controller.OnKnobPressed(kLeft, 0, 0, 142.5f);
    EXPECT_EQ(controller.State().knobGrabY, 142);
    controller.OnKnobPressed(kLeft, 0, 0, 143.5f);
    EXPECT_EQ(controller.State().knobGrabY, 144);
}

TEST_F(ControllerSliderTest, AnyButtonDragsTheKnob) {
    for (int button : {kRight, kMiddle, kLeft | kRight}) {
        LoadAt(100);
        controller.OnKnobPressed(button, 0, 100, 100);
        controller.OnKnobDragged(button, 0, 100, 100 + 690);
        EXPECT_EQ(LastLevelWritten(), 50) << button;
        EXPECT_EQ(view.readout, "50") << button;
    }
}

TEST_F(ControllerSliderTest, ATrackClickAtTheBottomGivesOnePercent) {
    LoadAt(100);
    ClickTrackAndMoveTo(1680);
    EXPECT_EQ(LastLevelWritten(), 99);
    EXPECT_EQ(view.readout, "1");
    EXPECT_FALSE(controller.State().trackArmed);
}

TEST_F(ControllerSliderTest, TrackClicksNearTheTopAreClampedToFullVolume) {
    LoadAt(20);
    ClickTrackAndMoveTo(0); // knob Top 150, level -23
    EXPECT_EQ(platform.volume.volume, 65535);
    EXPECT_FLOAT_EQ(view.knobTop, 470.0f);
    EXPECT_EQ(view.readout, "100");
}

TEST_F(ControllerSliderTest, TheTrackJumpsOnlyAtTheFirstMoveAfterAClick) {
    LoadAt(100);
    controller.OnTrackPointerMoved(0, 0, 100, 1000);
    EXPECT_EQ(platform.volume.writes, 0);
    controller.OnTrackClicked();
    EXPECT_TRUE(controller.State().trackArmed);
    controller.OnTrackPointerMoved(0, 0, 100, 1000);
    EXPECT_EQ(platform.volume.writes, 1);
    controller.OnTrackPointerMoved(0, 0, 100, 200);
    EXPECT_EQ(platform.volume.writes, 1);
}

TEST_F(ControllerSliderTest, AReleaseOnTheTrackDisarmsAPendingClick) {
    LoadAt(100);
    controller.OnTrackClicked();
    controller.OnTrackReleased(kLeft, 0, 100, 1000);
    controller.OnTrackPointerMoved(0, 0, 100, 1000);
    EXPECT_EQ(platform.volume.writes, 0);
}

TEST_F(ControllerSliderTest, TheLeftButtonAloneMovesTheWindowByThePointersTravel) {
    LoadAt(100);
    const float left = view.windowLeft;
    const float top = view.windowTop;
    controller.OnBackgroundPointerMoved(0, 0, 300, 900);
    controller.OnBackgroundPointerMoved(kLeft, 0, 300 - 1500, 900 + 750);
    EXPECT_FLOAT_EQ(view.windowLeft, left - 1500);
    EXPECT_FLOAT_EQ(view.windowTop, top + 750);
    EXPECT_EQ(controller.State().txtdetect, "1");
    // The grab point stays, so the next move is measured from it again.
    controller.OnBackgroundPointerMoved(kLeft, 0, 300 + 15, 900);
    EXPECT_FLOAT_EQ(view.windowLeft, left - 1500 + 15);
}

TEST_F(ControllerSliderTest, AnyLeftButtonMoveMarksTheWindowAsMoved) {
    LoadAt(100);
    controller.OnBackgroundPointerMoved(0, 0, 300, 900);
    controller.OnBackgroundPointerMoved(kLeft, 0, 300, 900);
    EXPECT_EQ(controller.State().txtdetect, "1");
}

TEST_F(ControllerSliderTest, OtherButtonsOverTheBackgroundDoNothing) {
    LoadAt(100);
    const float left = view.windowLeft;
    const float top = view.windowTop;
    controller.OnBackgroundPointerMoved(0, 0, 300, 900);
    for (int buttons : {kRight, kMiddle, kLeft | kRight}) {
        controller.OnBackgroundPointerMoved(buttons, 0, 900, 100);
    }
    EXPECT_FLOAT_EQ(view.windowLeft, left);
    EXPECT_FLOAT_EQ(view.windowTop, top);
    EXPECT_EQ(controller.State().txtdetect, "0");
    EXPECT_EQ(platform.log.IndexOf("view.MoveWindowBy"), -1);
}

TEST_F(ControllerSliderTest, TheMarkerTimerRunsUntilItClearsAOne) {
    LoadAt(100);
    controller.OnBackgroundReleased(kRight, 0, 10, 10);
    EXPECT_TRUE(view.TimerEnabled(ControllerTimer::DragSettle));
    controller.OnDragSettleTick();
    EXPECT_TRUE(view.TimerEnabled(ControllerTimer::DragSettle));
    controller.OnBackgroundPointerMoved(0, 0, 300, 900);
    controller.OnBackgroundPointerMoved(kLeft, 0, 310, 900);
    controller.OnBackgroundReleased(kLeft, 0, 310, 900);
    EXPECT_EQ(controller.State().txtdetect, "1");
    controller.OnDragSettleTick();
    EXPECT_EQ(controller.State().txtdetect, "0");
    EXPECT_FALSE(view.TimerEnabled(ControllerTimer::DragSettle));
}

TEST_F(ControllerSliderTest, AClickOnTheKnobClearsTheMarker) {
    LoadAt(100);
    controller.OnBackgroundPointerMoved(0, 0, 300, 900);
    controller.OnBackgroundPointerMoved(kLeft, 0, 310, 900);
    controller.OnKnobClicked();
    EXPECT_EQ(controller.State().txtdetect, "0");
}

} // namespace
} // namespace kob::test
