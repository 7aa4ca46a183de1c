#include <gtest/gtest.h>

#include <algorithm>

#include "controller/Controller.h"
#include "fakes/FakeController.h"
#include "fakes/FakeControllerView.h"
#include "fakes/FakeServices.h"

namespace kob::test {
namespace {

class ControllerLoadTest : public ::testing::Test {
protected:
    FakePlatform platform;
    MasterVolume volume{platform.volume};
    FakeControllerView view;
    StartupFacts facts;
    Controller controller{view, volume, ControllerServicesOf(platform), facts, platform.report};
};

// The window appears as the load leaves it: shaped, with its pictures, and the knob and read-out on the volume.
TEST_F(ControllerLoadTest, TheWindowAppearsOnlyOnceItsShapeAndTheVolumeAreShown) {
    platform.volume.percent = 50;
    FakeControllerView atShow;
    view.onShow = [&] { atShow = view; };
    ASSERT_EQ(controller.Load(), std::nullopt);
    EXPECT_EQ(atShow.windowRegion, view.windowRegion);
    EXPECT_EQ(atShow.knobRegion, view.knobRegion);
    EXPECT_TRUE(atShow.skinShown && atShow.knobPictureShown);
    EXPECT_FLOAT_EQ(atShow.knobTop, 1160.0f);
    EXPECT_EQ(atShow.readout, "50");
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST(ControllerShapeTest, WidthsFollowTheHorizontalResolutionHeightsTheVerticalWithHalvesToEven) {
    const struct {
        double twipsPerPixelX, twipsPerPixelY;
        RegionArgs window, knob;
    } rows[] = {
        {15, 15, {67, 186}, {15, 19}}, // 96 dots per inch
        {12, 12, {84, 232}, {19, 24}}, // 120: 83.75, 232.5 to even, 18.75, 23.75
        {12, 20, {84, 140}, {19, 14}}, // 1005 / 12, 2790 / 20 = 139.5 to even, 225 / 12, 285 / 20
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
    ASSERT_EQ(controller.Load(), std::nullopt);
    EXPECT_EQ(view.shownAt.x, 874);
    EXPECT_EQ(view.shownAt.y, 548);
    EXPECT_TRUE(view.visible);
    EXPECT_FALSE(view.topmost);
}

TEST_F(ControllerLoadTest, AWindowGrownWithTheDisplaysDpiStaysWholeAboveTheTaskBar) {
    platform.screen.twipsPerPixelX = 12; // 120 dots per inch: 84 x 232 pixels
    platform.screen.twipsPerPixelY = 12;
    platform.screen.workArea = {0, 0, 1024, 738};
    ASSERT_EQ(controller.Load(), std::nullopt);
    EXPECT_EQ(view.shownAt.x, 857); // ends 83 pixels from the right edge
    EXPECT_EQ(view.shownAt.y, 502); // and 4 above the task bar
}

TEST_F(ControllerLoadTest, AnUnreadableWorkAreaPlacesFromZero) {
    platform.screen.workArea = {};
    ASSERT_EQ(controller.Load(), std::nullopt);
    EXPECT_EQ(view.shownAt.x, -150);
    EXPECT_EQ(view.shownAt.y, -190);
}

TEST_F(ControllerLoadTest, ShowsTheCurrentVolumeOpaqueWithTheTrackDisarmedAndNoTimer) {
    platform.volume.percent = 50;
    controller.OnTrackClicked();
    ASSERT_EQ(controller.Load(), std::nullopt);
    EXPECT_FLOAT_EQ(view.knobTop, 1160.0f);
    EXPECT_EQ(view.readout, "50");
    EXPECT_EQ(volume.DeviceName(), "Fake Audio Mixer");
    EXPECT_EQ(view.muteBoxBackColor, (Rgb{32, 56, 94}));
    EXPECT_FALSE(view.TimerEnabled(ControllerTimer::DragSettle));
    EXPECT_FALSE(view.TimerEnabled(ControllerTimer::Fade));
    EXPECT_FALSE(view.TimerEnabled(ControllerTimer::VolumeSync));
    const int writes = platform.volume.writes;
    controller.OnTrackPointerMoved(Twips(1000));
    EXPECT_EQ(platform.volume.writes, writes) << "the click before the load is forgotten";
    controller.OnFadeTick();
    EXPECT_EQ(view.opacities, std::vector<int>{252}) << "the fade starts from opaque";
}

TEST_F(ControllerLoadTest, ReadoutShowsPlainDigits) {
    ASSERT_EQ(controller.Load(), std::nullopt);
    for (auto [percent, text] : {std::pair{100, "100"}, {0, "0"}, {7, "7"}}) {
        platform.volume.percent = percent;
        EXPECT_EQ(controller.ShowVolume(), std::nullopt);
        EXPECT_EQ(view.readout, text);
    }
}

TEST_F(ControllerLoadTest, APictureThatCannotBeLoadedIsReportedOnceAndTheRestStillRuns) {
    for (auto [picture, message] : {std::pair{"ShowSkin", "Unable to load the skin picture."},
                                    {"ShowKnobPicture", "Unable to load the knob picture."}}) {
        ControllerOnFakes c;
        c.view.failingOperation = picture;
        EXPECT_EQ(c.showing.Load(), std::nullopt);
        const auto& shown = c.platform.messages.shown;
        ASSERT_EQ(shown.size(), 1u) << picture;
        EXPECT_EQ(shown[0].text, message);
        EXPECT_EQ(shown[0].title, "Drovo Volume Controller 3.0");
        EXPECT_EQ(shown[0].icon, MessageIcon::Exclamation);
        EXPECT_TRUE(c.view.visible) << picture;
        EXPECT_EQ(c.view.muteBoxBackColor, (Rgb{32, 56, 94})) << picture;
        c.controller.OnFadeTick();
        EXPECT_EQ(c.view.opacities, std::vector<int>{252}) << picture;
    }
}

TEST_F(ControllerLoadTest, AVolumeFailureStopsTheLoadAndIsReturnedWithNothingShown) {
    const struct {
        const char* name;
        void (*arrange)(FakeVolumeDevice&);
        VolumeFailure failure;
    } rows[] = {
        {"no device", [](FakeVolumeDevice& d) { d.prepareFailure = VolumeFailure::NoDevice; }, VolumeFailure::NoDevice},
        {"no volume control", [](FakeVolumeDevice& d) { d.hasVolume = false; }, VolumeFailure::NoControl},
        {"the volume unreadable", [](FakeVolumeDevice& d) { d.readFails = true; }, VolumeFailure::VolumeUnreadable},
    };
    for (const auto& row : rows) {
        ControllerOnFakes c;
        row.arrange(c.platform.volume);
        EXPECT_EQ(c.showing.Load(), row.failure) << row.name;
        const auto& done = c.view.operations;
        EXPECT_EQ(std::count(done.begin(), done.end(), "SetKnobTop"), 0) << row.name;
        EXPECT_EQ(std::count(done.begin(), done.end(), "ShowAt"), 0) << row.name;
        EXPECT_FALSE(c.view.visible) << row.name;
        EXPECT_TRUE(c.platform.messages.shown.empty()) << "the owner shows it";
        EXPECT_FALSE(c.platform.process.ended) << "returned, not handed over";
    }
}

TEST_F(ControllerLoadTest, UnloadKeepsTheDeviceName) {
    ASSERT_EQ(controller.Load(), std::nullopt);
    controller.OnUnloaded();
    EXPECT_EQ(volume.DeviceName(), "Fake Audio Mixer");
}

class ControllerVolumeTest : public ControllerLoadTest {
protected:
    void SetUp() override { ASSERT_EQ(controller.Load(), std::nullopt); }
};

TEST_F(ControllerVolumeTest, SetVolumeWritesTheLevelsPercent) {
    EXPECT_EQ(controller.SetVolumeFromLevel(30), std::nullopt);
    EXPECT_EQ(platform.volume.percent, 70);
    EXPECT_EQ(platform.volume.refusedCalls, 0);
}

TEST_F(ControllerVolumeTest, LevelsAboveTheTrackAreWrittenAsFullVolume) {
    EXPECT_EQ(controller.SetVolumeFromLevel(-23), std::nullopt);
    EXPECT_EQ(platform.volume.percent, 100);
    EXPECT_EQ(controller.ShowVolume(), std::nullopt);
    EXPECT_FLOAT_EQ(view.knobTop, 470.0f);
}

TEST_F(ControllerVolumeTest, AFailedWriteInAHandlerGoesToTheHostAndNothingIsShownAfterIt) {
    platform.volume.writeFails = true;
    EXPECT_EQ(controller.SetVolumeFromLevel(50), VolumeFailure::NotSet);
    const std::string readout = view.readout;
    std::size_t operationsAtWrite = 0;
    platform.volume.onWrite = [&] { operationsAtWrite = view.operations.size(); };
    controller.OnTrackClicked();
    controller.OnTrackPointerMoved(Twips(1000));
    EXPECT_EQ(platform.process.exitCode, 14u);
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].text, "Error! Unable to set Mixer Control Details.");
    EXPECT_EQ(view.readout, readout) << "the volume is not shown after the failure";
    EXPECT_EQ(platform.volume.calls.back().rfind("SetPercent", 0), 0u) << "nothing after the write";
    EXPECT_EQ(view.operations.size(), operationsAtWrite) << "nothing after the write";
}

} // namespace
} // namespace kob::test
