#include <gtest/gtest.h>

#include "controller/Controller.h"
#include "controller/SliderGeometry.h"
#include "fakes/FakeController.h"
#include "fakes/FakeControllerView.h"
#include "fakes/FakeServices.h"

namespace kob::test {
namespace {

class ControllerSliderTest : public ::testing::Test {
protected:
    // Loads the controller with the master volume at the given percent.
    void LoadAt(std::int32_t percent) {
        platform.volume.percent = percent;
        ASSERT_EQ(controller.Load(), std::nullopt);
        platform.volume.writes = 0;
    }

    std::int32_t LastLevelWritten() const { return 100 - platform.volume.percent; }

    void ClickTrackAndMoveTo(double y) {
        controller.OnTrackReleased();
        controller.OnTrackClicked();
        controller.OnTrackPointerMoved(Twips(y));
    }
    // A knob drag goes on when a further move writes the volume.
    bool DragGoesOn() {
        const int writes = platform.volume.writes;
        controller.OnKnobDragged(Twips(100));
        return platform.volume.writes > writes;
    }
    // A click on the background starts the fade, unless it ends a window drag.
    bool BackgroundClickCloses() {
        controller.OnBackgroundClicked();
        return view.TimerEnabled(ControllerTimer::Fade);
    }

    FakePlatform platform;
    MasterVolume volume{platform.volume};
    FakeControllerView view;
    StartupFacts facts;
    Controller controller{view, volume, ControllerServicesOf(platform), facts,
                          [](const Notice&) { ADD_FAILURE() << "nothing to report"; }};
};

// Which level each knob place gives is the geometry's; here, that a track click writes it and shows the knob on it.
TEST_F(ControllerSliderTest, ATrackClickWritesTheLevelUnderTheKnobAndTheKnobSettlesOnIt) {
    LoadAt(100);
    ClickTrackAndMoveTo(330); // knob Top 480, between levels 0 and 1
    EXPECT_EQ(platform.volume.percent, 99);
    EXPECT_FLOAT_EQ(view.knobTop, 483.8f);
    EXPECT_EQ(view.readout, "99");
}

TEST_F(ControllerSliderTest, EachMoveWritesTheVolumeAndShowsWhatTheDeviceThenHolds) {
    LoadAt(100);
    controller.OnKnobPressed(Twips(135));
    controller.OnKnobDragged(Twips(135 + 690)); // knob Top 1160: 50 %
    EXPECT_EQ(platform.volume.percent, 50);
    EXPECT_EQ(view.readout, "50");
    EXPECT_FLOAT_EQ(view.knobTop, 1160.0f);
}

TEST_F(ControllerSliderTest, AtFullVolumeAnUpwardOrFlatMoveEndsTheDragAndKeepsFullVolume) {
    for (float y : {90.0f, 100.0f}) {
        LoadAt(100);
        controller.OnKnobPressed(Twips(100));
        controller.OnKnobDragged(Twips(y));
        EXPECT_FLOAT_EQ(view.knobTop, 470.0f);
        EXPECT_EQ(platform.volume.writes, 1);
        EXPECT_EQ(platform.volume.percent, 100);
        EXPECT_FALSE(DragGoesOn()) << "moves before the next press change nothing";
    }
}

TEST_F(ControllerSliderTest, DraggingPastTheBottomStopsTheKnobAtTheEndOfItsTravelAndSilencesTheVolume) {
    LoadAt(50);
    // Exactly onto the drag's bottom stop (Top 1160 + 685 = 1845) is still inside the travel: the drag goes on.
    controller.OnKnobPressed(Twips(100));
    controller.OnKnobDragged(Twips(100 + 685));
    EXPECT_EQ(platform.volume.percent, 0);
    EXPECT_TRUE(DragGoesOn());
    LoadAt(50);
    controller.OnKnobPressed(Twips(100));
    controller.OnKnobDragged(Twips(1000));
    EXPECT_EQ(platform.volume.writes, 1);
    EXPECT_EQ(platform.volume.percent, 0);
    EXPECT_FLOAT_EQ(view.knobTop, 1850.0f) << "stopped at 1845, then shown where silence is";
    EXPECT_EQ(view.readout, "0");
    EXPECT_FALSE(DragGoesOn());
}

TEST_F(ControllerSliderTest, DuringADragTheKnobFollowsThePointerInWholePercentSteps) {
    LoadAt(100);
    // The pointer moves down the window; the knob reports it relative to wherever the knob is now.
    const float grab = 100;
    controller.OnKnobPressed(Twips(grab));
    for (float pointer = 470 + grab + 7; pointer < 470 + grab + 400; pointer += 7) {
        controller.OnKnobDragged(Twips(pointer - view.knobTop));
        EXPECT_FLOAT_EQ(view.knobTop, SliderGeometry::KnobTopAt(std::stoi(view.readout)).Value())
            << "pointer at " << pointer << ": the knob where the shown percent puts it";
        EXPECT_NEAR(view.knobTop, pointer - grab, 13.8) << "the knob follows the pointer";
    }
    EXPECT_GT(LastLevelWritten(), 10);
    controller.OnKnobReleased();
    EXPECT_FALSE(DragGoesOn());
}

TEST_F(ControllerSliderTest, TheKnobKeepsTheGrabbedPointToTheNearestWholeTwip) {
    // At full volume a move that ends at or above the top of the travel ends the drag: half a twip tells which
    // way the grab point was rounded.
    for (auto [grab, goesOn] : {std::pair{142.5f, true}, {143.5f, false}}) {
        LoadAt(100);
        controller.OnKnobPressed(Twips(grab));
        controller.OnKnobDragged(Twips(grab));
        EXPECT_EQ(DragGoesOn(), goesOn) << grab;
    }
}

TEST_F(ControllerSliderTest, ATrackClickAtTheBottomGivesOnePercent) {
    LoadAt(100);
    ClickTrackAndMoveTo(1680);
    EXPECT_EQ(LastLevelWritten(), 99);
    EXPECT_EQ(view.readout, "1");
    controller.OnTrackPointerMoved(Twips(500));
    EXPECT_EQ(platform.volume.writes, 1) << "the click is spent";
}

TEST_F(ControllerSliderTest, TrackClicksNearTheTopGiveFullVolume) {
    LoadAt(20);
    ClickTrackAndMoveTo(0); // knob Top 150, level -23
    EXPECT_EQ(platform.volume.percent, 100);
    EXPECT_FLOAT_EQ(view.knobTop, 470.0f);
    EXPECT_EQ(view.readout, "100");
}

TEST_F(ControllerSliderTest, TheTrackJumpsOnlyAtTheFirstMoveAfterAClick) {
    LoadAt(100);
    controller.OnTrackPointerMoved(Twips(1000));
    EXPECT_EQ(platform.volume.writes, 0);
    controller.OnTrackClicked();
    controller.OnTrackPointerMoved(Twips(1000));
    EXPECT_EQ(platform.volume.writes, 1);
    controller.OnTrackPointerMoved(Twips(200));
    EXPECT_EQ(platform.volume.writes, 1);
}

TEST_F(ControllerSliderTest, AReleaseOnTheTrackDisarmsAPendingClick) {
    LoadAt(100);
    controller.OnTrackClicked();
    controller.OnTrackReleased();
    controller.OnTrackPointerMoved(Twips(1000));
    EXPECT_EQ(platform.volume.writes, 0);
}

TEST_F(ControllerSliderTest, TheLeftButtonAloneMovesTheWindowByThePointersTravel) {
    LoadAt(100);
    const float left = view.windowLeft;
    const float top = view.windowTop;
    controller.OnBackgroundPointerMoved(HeldButtons::None, 300, 900);
    controller.OnBackgroundPointerMoved(HeldButtons::LeftAlone, 300 - 1500, 900 + 750);
    EXPECT_FLOAT_EQ(view.windowLeft, left - 1500);
    EXPECT_FLOAT_EQ(view.windowTop, top + 750);
    // The grab point stays, so the next move is measured from it again.
    controller.OnBackgroundPointerMoved(HeldButtons::LeftAlone, 300 + 15, 900);
    EXPECT_FLOAT_EQ(view.windowLeft, left - 1500 + 15);
}

TEST_F(ControllerSliderTest, AnyLeftButtonMoveMarksTheWindowAsMoved) {
    LoadAt(100);
    controller.OnBackgroundPointerMoved(HeldButtons::None, 300, 900);
    controller.OnBackgroundPointerMoved(HeldButtons::LeftAlone, 300, 900);
    EXPECT_FALSE(BackgroundClickCloses());
}

TEST_F(ControllerSliderTest, OtherButtonsOverTheBackgroundDoNothing) {
    LoadAt(100);
    const float left = view.windowLeft;
    const float top = view.windowTop;
    controller.OnBackgroundPointerMoved(HeldButtons::None, 300, 900);
    controller.OnBackgroundPointerMoved(HeldButtons::Others, 900, 100);
    EXPECT_FLOAT_EQ(view.windowLeft, left);
    EXPECT_FLOAT_EQ(view.windowTop, top);
    EXPECT_TRUE(BackgroundClickCloses()) << "the window was not moved";
    controller.OnBackgroundPointerMoved(HeldButtons::LeftAlone, 300, 900);
    EXPECT_FLOAT_EQ(view.windowLeft, left) << "the grab point stayed where no button was held";
}

TEST_F(ControllerSliderTest, TheDragSettleTimerRunsUntilAWindowDragHasSettled) {
    LoadAt(100);
    controller.OnBackgroundReleased();
    EXPECT_TRUE(view.TimerEnabled(ControllerTimer::DragSettle));
    controller.OnDragSettleTick();
    EXPECT_TRUE(view.TimerEnabled(ControllerTimer::DragSettle));
    controller.OnBackgroundPointerMoved(HeldButtons::None, 300, 900);
    controller.OnBackgroundPointerMoved(HeldButtons::LeftAlone, 310, 900);
    controller.OnBackgroundReleased();
    EXPECT_FALSE(BackgroundClickCloses()) << "the click that ends the drag";
    controller.OnDragSettleTick();
    EXPECT_FALSE(view.TimerEnabled(ControllerTimer::DragSettle));
    EXPECT_TRUE(BackgroundClickCloses()) << "the drag has settled";
}

TEST_F(ControllerSliderTest, AClickOnTheKnobLetsTheNextBackgroundClickClose) {
    LoadAt(100);
    controller.OnBackgroundPointerMoved(HeldButtons::None, 300, 900);
    controller.OnBackgroundPointerMoved(HeldButtons::LeftAlone, 310, 900);
    controller.OnKnobClicked();
    EXPECT_TRUE(BackgroundClickCloses());
}

} // namespace
} // namespace kob::test
