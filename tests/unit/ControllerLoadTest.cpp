#include <gtest/gtest.h>

#include "controller/Controller.h"
#include "fakes/FakeController.h"
#include "fakes/FakeControllerView.h"
#include "fakes/FakeServices.h"

namespace kob::test {
namespace {

class ControllerLoadTest : public ::testing::Test {
protected:
    FakePlatform platform;
    MasterVolume volume{platform.volume, platform.messages, platform.process};
    FakeControllerView view{platform.log};
    StartupFacts facts;
    Controller controller{view, volume, ControllerServicesOf(platform), facts};

    std::vector<std::string> ViewCalls() const {
        std::vector<std::string> calls;
        for (const auto& c : platform.log.calls) {
            if (c.rfind("view.", 0) == 0) {
                calls.push_back(c);
            }
        }
        return calls;
    }
};

TEST_F(ControllerLoadTest, RunsItsStepsInOrder) {
    controller.Load();
    const std::vector<std::string> expected{"view.SetWindowRegion", "view.ShowSkin",           "view.ShowKnobPicture",
                                            "view.SetKnobRegion",   "view.SetKnobTop",         "view.SetReadout",
                                            "view.ShowAt",          "view.SetMuteBoxBackColor"};
    EXPECT_EQ(ViewCalls(), expected);
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST(ControllerShapeTest, WidthsFollowTheHorizontalResolutionHeightsTheVerticalWithHalvesToEven) {
    const struct {
        double twipsPerPixelX, twipsPerPixelY;
        RegionArgs window, knob;
    } rows[] = {
        {15, 15, {67, 186, 7, 7}, {15, 19, 7, 7}}, // 96 dots per inch
        {12, 12, {84, 232, 7, 7}, {19, 24, 7, 7}}, // 120: 83.75, 232.5 to even, 18.75, 23.75
        {12, 20, {84, 140, 7, 7}, {19, 14, 7, 7}}, // 1005 / 12, 2790 / 20 = 139.5 to even, 225 / 12, 285 / 20
    };
    for (const auto& row : rows) {
        ControllerOnFakes c;
        c.platform.screen.twipsPerPixelX = row.twipsPerPixelX;
        c.platform.screen.twipsPerPixelY = row.twipsPerPixelY;
        c.showing.Load();
        const FakeControllerView& view = c.view;
        EXPECT_EQ(view.windowRegion, row.window) << row.twipsPerPixelX << " x " << row.twipsPerPixelY;
        EXPECT_EQ(view.knobRegion, row.knob) << row.twipsPerPixelX << " x " << row.twipsPerPixelY;
        EXPECT_TRUE(view.skinShown);
        EXPECT_TRUE(view.knobPictureShown);
    }
}

TEST_F(ControllerLoadTest, PlacesTheWindowAboveATaskBarNotTopmostAndShown) {
    platform.screen.workArea = {0, 0, 1024, 738};
    view.topmost = true;
    controller.Load();
    EXPECT_EQ(view.shownAt.x, 874);
    EXPECT_EQ(view.shownAt.y, 548);
    EXPECT_TRUE(view.visible);
    EXPECT_FALSE(view.topmost);
}

TEST_F(ControllerLoadTest, AWindowGrownWithTheDisplaysDpiStaysWholeAboveTheTaskBar) {
    platform.screen.twipsPerPixelX = 12; // 120 dots per inch: 84 x 232 pixels
    platform.screen.twipsPerPixelY = 12;
    platform.screen.workArea = {0, 0, 1024, 738};
    controller.Load();
    EXPECT_EQ(view.shownAt.x, 857); // ends 83 pixels from the right edge
    EXPECT_EQ(view.shownAt.y, 502); // and 4 above the task bar
}

TEST_F(ControllerLoadTest, AnUnreadableWorkAreaPlacesFromZero) {
    platform.screen.workArea = {};
    controller.Load();
    EXPECT_EQ(view.shownAt.x, -150);
    EXPECT_EQ(view.shownAt.y, -190);
}

TEST_F(ControllerLoadTest, ShowsTheCurrentVolumeOpaqueWithTheTrackDisarmedAndNoTimer) {
    platform.volume.percent = 50;
    controller.OnTrackClicked();
    controller.Load();
    EXPECT_FLOAT_EQ(view.knobTop, 1160.0f);
    EXPECT_EQ(view.readout, "50");
    EXPECT_EQ(volume.DeviceName(), "Fake Audio Mixer");
    EXPECT_EQ(view.muteBoxBackColor, 0x005E3820u);
    EXPECT_FALSE(view.TimerEnabled(ControllerTimer::DragSettle));
    EXPECT_FALSE(view.TimerEnabled(ControllerTimer::Fade));
    EXPECT_FALSE(view.TimerEnabled(ControllerTimer::VolumeSync));
    const int writes = platform.volume.writes;
    controller.OnTrackPointerMoved(1000);
    EXPECT_EQ(platform.volume.writes, writes) << "the click before the load is forgotten";
    controller.OnFadeTick();
    EXPECT_EQ(view.opacities, std::vector<int>{252}) << "the fade starts from opaque";
}

TEST_F(ControllerLoadTest, ReadoutShowsPlainDigits) {
    controller.Load();
    for (auto [percent, text] : {std::pair{100, "100"}, {0, "0"}, {7, "7"}}) {
        platform.volume.percent = percent;
        controller.ShowVolume();
        EXPECT_EQ(view.readout, text);
    }
}

TEST_F(ControllerLoadTest, AStepThatRaisesAnErrorShowsItAndLoadingGoesOn) {
    view.failingOperation = "ShowSkin";
    controller.Load();
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].text, "Out of memory while running ShowSkin");
    EXPECT_EQ(platform.messages.shown[0].title, "Drovo Volume Controller 3.0");
    EXPECT_EQ(platform.messages.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(view.knobPictureShown);
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(view.muteBoxBackColor, 0x005E3820u);
    controller.OnFadeTick();
    EXPECT_EQ(view.opacities, std::vector<int>{252});
}

TEST_F(ControllerLoadTest, EveryFailingViewStepIsReportedOnceAndTheRestStillRuns) {
    for (const char* step : {"SetWindowRegion", "ShowKnobPicture", "SetKnobRegion", "SetKnobTop", "SetReadout",
                             "ShowAt", "SetMuteBoxBackColor"}) {
        FakePlatform p;
        MasterVolume m{p.volume, p.messages, p.process};
        FakeControllerView v{p.log};
        StartupFacts facts;
        Controller f{v, m, ControllerServicesOf(p), facts};
        v.failingOperation = step;
        f.Load();
        ASSERT_EQ(p.messages.shown.size(), 1u) << step;
        f.OnFadeTick();
        EXPECT_EQ(v.opacities, std::vector<int>{252}) << step;
    }
}

TEST_F(ControllerLoadTest, NoMixerEndsTheProgramDuringLoadWithNothingAfter) {
    platform.volume.prepareFailure = VolumeFailure::NoDevice;
    EXPECT_THROW(controller.Load(), ProcessEnded);
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].text, "Error! Unable to open a Mixer Device. Program will be terminated.");
    EXPECT_EQ(platform.log.IndexOf("view.ShowAt"), -1);
    EXPECT_EQ(platform.log.IndexOf("view.SetKnobTop"), -1);
    EXPECT_FALSE(view.visible);
}

TEST_F(ControllerLoadTest, NoVolumeControlEndsTheLoadWithTheControlsMessage) {
    platform.volume.hasVolume = false;
    EXPECT_THROW(controller.Load(), ProcessEnded);
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].text, "Error! Unable to retriev the controls associated with an audio line .");
    EXPECT_FALSE(view.visible);
}

TEST_F(ControllerLoadTest, AFailedVolumeReadEndsWithItsMessageAndShowsNothing) {
    platform.volume.readFails = true;
    EXPECT_THROW(controller.Load(), ProcessEnded);
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].text, "Error! Can't get Mixer Control Details.");
    EXPECT_EQ(platform.messages.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(platform.log.IndexOf("view.SetKnobTop"), -1);
    EXPECT_EQ(platform.log.calls.back(), "EndProcess 13");
}

TEST_F(ControllerLoadTest, UnloadKeepsTheDeviceName) {
    controller.Load();
    controller.OnUnloaded();
    EXPECT_EQ(volume.DeviceName(), "Fake Audio Mixer");
}

class ControllerVolumeTest : public ControllerLoadTest {
protected:
    void SetUp() override { controller.Load(); }
};

TEST_F(ControllerVolumeTest, SetVolumeWritesTheLevelsPercent) {
    controller.SetVolumeFromLevel(30);
    EXPECT_EQ(platform.volume.percent, 70);
    EXPECT_EQ(platform.volume.refusedCalls, 0);
}

TEST_F(ControllerVolumeTest, EveryLevelSetThenReadShowsItsComplement) {
    for (std::int32_t level = 0; level <= 100; ++level) {
        controller.SetVolumeFromLevel(level);
        controller.ShowVolume();
        EXPECT_EQ(view.readout, std::to_string(100 - level));
        EXPECT_FLOAT_EQ(view.knobTop, static_cast<float>(470 + 13.8 * level));
    }
}

TEST_F(ControllerVolumeTest, LevelsAboveTheTrackAreWrittenAsFullVolume) {
    controller.SetVolumeFromLevel(-23);
    EXPECT_EQ(platform.volume.percent, 100);
    controller.ShowVolume();
    EXPECT_FLOAT_EQ(view.knobTop, 470.0f);
}

TEST_F(ControllerVolumeTest, AFailedWriteEndsWithItsMessage) {
    platform.volume.writeFails = true;
    EXPECT_THROW(controller.SetVolumeFromLevel(50), ProcessEnded);
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].text, "Error! Unable to set Mixer Control Details.");
    EXPECT_EQ(platform.messages.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(platform.log.calls.back(), "EndProcess 14");
}

} // namespace
} // namespace kob::test
