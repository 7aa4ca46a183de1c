#include <gtest/gtest.h>

#include "controller/Form1.h"
#include "fakes/FakeController.h"
#include "fakes/FakeForm1View.h"
#include "fakes/FakeServices.h"

namespace kob::test {
namespace {

class Form1LoadTest : public ::testing::Test {
protected:
    FakePlatform platform;
    Mixer mixer{platform.mixer, platform.messages, platform.process};
    FakeForm1View view{platform.log};
    FakeForm1Host host{platform.log};
    StartupFacts facts;
    Form1 form{view, mixer, Form1ServicesOf(platform), facts, host};

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

TEST_F(Form1LoadTest, RunsItsStepsInOrder) {
    form.Form_Load();
    const std::vector<std::string> expected{"view.SetWindowRegion", "view.ShowSkin",           "view.ShowKnobPicture",
                                            "view.SetKnobRegion",   "view.SetKnobTop",         "view.SetReadout",
                                            "view.ShowAt",          "view.SetMuteBoxBackColor"};
    EXPECT_EQ(ViewCalls(), expected);
    // The companion hears of the load after the knob's region; discovery follows, then the volume is shown.
    const auto& log = platform.log;
    EXPECT_LT(log.IndexOf("view.SetKnobRegion"), log.IndexOf("host.signal 1"));
    EXPECT_LT(log.IndexOf("host.signal 1"), log.IndexOf("mixerOpen"));
    EXPECT_LT(log.IndexOf("mixerGetLineControls"), log.IndexOf("mixerGetControlDetails"));
    EXPECT_LT(log.IndexOf("mixerGetControlDetails"), log.IndexOf("view.SetKnobTop"));
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(Form1LoadTest, ShapesWindowAndKnobAt96Dpi) {
    form.Form_Load();
    EXPECT_EQ(view.windowRegion.width, 67);
    EXPECT_EQ(view.windowRegion.height, 186);
    EXPECT_EQ(view.windowRegion.ellipseWidth, 7);
    EXPECT_EQ(view.windowRegion.ellipseHeight, 7);
    EXPECT_EQ(view.knobRegion.width, 15);
    EXPECT_EQ(view.knobRegion.height, 19);
    EXPECT_EQ(view.knobRegion.ellipseWidth, 7);
    EXPECT_TRUE(view.skinShown);
    EXPECT_TRUE(view.knobPictureShown);
}

TEST_F(Form1LoadTest, ShapesFollowTheScreenResolutionWithHalvesToEven) {
    platform.screen.twipsPerPixelX = 12; // 120 dots per inch
    platform.screen.twipsPerPixelY = 12;
    form.Form_Load();
    EXPECT_EQ(view.windowRegion.width, 84);   // 83.75
    EXPECT_EQ(view.windowRegion.height, 232); // 232.5, to even
    EXPECT_EQ(view.knobRegion.width, 19);     // 18.75
    EXPECT_EQ(view.knobRegion.height, 24);    // 23.75
}

TEST_F(Form1LoadTest, WidthsFollowTheHorizontalResolutionAndHeightsTheVertical) {
    platform.screen.twipsPerPixelX = 12;
    platform.screen.twipsPerPixelY = 20;
    form.Form_Load();
    EXPECT_EQ(view.windowRegion.width, 84);   // 1005 / 12
    EXPECT_EQ(view.windowRegion.height, 140); // 2790 / 20 = 139.5, to even
    EXPECT_EQ(view.knobRegion.width, 19);     // 225 / 12
    EXPECT_EQ(view.knobRegion.height, 14);    // 285 / 20
}

TEST_F(Form1LoadTest, PlacesTheWindowAboveATaskBarNotTopmostAndShown) {
    platform.screen.workArea = {0, 0, 1024, 738};
    view.topmost = true;
    form.Form_Load();
    EXPECT_EQ(form.State().WorkAreaRight, 1024);
    EXPECT_EQ(form.State().WorkAreaBottom, 738);
    EXPECT_EQ(view.shownAt.x, 874);
    EXPECT_EQ(view.shownAt.y, 548);
    EXPECT_TRUE(view.visible);
    EXPECT_FALSE(view.topmost);
}

TEST_F(Form1LoadTest, AWindowGrownWithTheDisplaysDpiStaysWholeAboveTheTaskBar) {
    platform.screen.twipsPerPixelX = 12; // 120 dots per inch: 84 x 232 pixels
    platform.screen.twipsPerPixelY = 12;
    platform.screen.workArea = {0, 0, 1024, 738};
    form.Form_Load();
    EXPECT_EQ(view.shownAt.x, 857); // ends 83 pixels from the right edge
    EXPECT_EQ(view.shownAt.y, 502); // and 4 above the task bar
}

TEST_F(Form1LoadTest, AnUnreadableWorkAreaPlacesFromZero) {
    platform.screen.workArea = {};
    form.Form_Load();
    EXPECT_EQ(view.shownAt.x, -150);
    EXPECT_EQ(view.shownAt.y, -190);
}

TEST_F(Form1LoadTest, ShowsTheCurrentVolumeAndSetsTheSharedState) {
    platform.mixer.values[FakeMixer::kVolumeId] = 32768;
    form.Image1_Click();
    form.Form_Load();
    EXPECT_FLOAT_EQ(view.knobTop, 1160.0f);
    EXPECT_FLOAT_EQ(form.State().knobTop, 1160.0f);
    EXPECT_EQ(view.readout, "50");
    EXPECT_EQ(mixer.CurrentControl().controlId, FakeMixer::kVolumeId);
    EXPECT_EQ(mixer.MixerDeviceName().size(), 32u);
    EXPECT_EQ(mixer.MixerDeviceName().substr(0, 16), "Fake Audio Mixer");
    EXPECT_EQ(host.txtform1signal, "1");
    EXPECT_EQ(view.muteBoxBackColor, 0x005E3820u);
    EXPECT_FALSE(form.State().trackclick);
    EXPECT_EQ(form.State().FadeLevel, 255);
    EXPECT_FALSE(view.TimerEnabled(Form1Timer::DragHandler));
    EXPECT_FALSE(view.TimerEnabled(Form1Timer::Fade));
    EXPECT_FALSE(view.TimerEnabled(Form1Timer::SyncVolume));
}

TEST_F(Form1LoadTest, ReadoutShowsPlainDigits) {
    form.Form_Load();
    for (auto [value, text] : {std::pair{65535, "100"}, {0, "0"}, {4588, "7"}}) {
        platform.mixer.values[FakeMixer::kVolumeId] = value;
        form.GetVolume();
        EXPECT_EQ(view.readout, text);
    }
}

TEST_F(Form1LoadTest, AStepThatRaisesAnErrorShowsItAndLoadingGoesOn) {
    view.failingOperation = "ShowSkin";
    form.Form_Load();
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].text, "Out of memory while running ShowSkin");
    EXPECT_EQ(platform.messages.shown[0].title, "Drovo Volume Controller 3.0");
    EXPECT_EQ(platform.messages.shown[0].style, 0x30u);
    EXPECT_TRUE(view.knobPictureShown);
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(view.muteBoxBackColor, 0x005E3820u);
    EXPECT_EQ(form.State().FadeLevel, 255);
}

TEST_F(Form1LoadTest, EveryFailingViewStepIsReportedOnceAndTheRestStillRuns) {
    for (const char* step : {"SetWindowRegion", "ShowKnobPicture", "SetKnobRegion", "SetKnobTop", "SetReadout",
                             "ShowAt", "SetMuteBoxBackColor"}) {
        FakePlatform p;
        Mixer m{p.mixer, p.messages, p.process};
        FakeForm1View v{p.log};
        FakeForm1Host h{p.log};
        StartupFacts facts;
        Form1 f{v, m, Form1ServicesOf(p), facts, h};
        v.failingOperation = step;
        f.Form_Load();
        ASSERT_EQ(p.messages.shown.size(), 1u) << step;
        EXPECT_EQ(f.State().FadeLevel, 255) << step;
        EXPECT_EQ(h.txtform1signal, "1") << step;
    }
}

TEST_F(Form1LoadTest, NoMixerEndsTheProgramDuringLoadWithNothingAfter) {
    platform.mixer.openResult = 2;
    EXPECT_THROW(form.Form_Load(), ProcessEnded);
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].text, "Error! Unable to open a Mixer Device. Program will be terminated.");
    EXPECT_EQ(platform.log.IndexOf("view.ShowAt"), -1);
    EXPECT_EQ(platform.log.IndexOf("view.SetKnobTop"), -1);
    EXPECT_FALSE(view.visible);
}

TEST_F(Form1LoadTest, NoVolumeControlEndsTheLoadWithTheControlsMessage) {
    platform.mixer.hasVolume = false;
    EXPECT_THROW(form.Form_Load(), ProcessEnded);
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].text, "Error! Unable to retriev the controls associated with an audio line .");
    EXPECT_FALSE(view.visible);
}

TEST_F(Form1LoadTest, AFailedVolumeReadEndsWithItsMessageAndShowsNothing) {
    platform.mixer.getResult = 11;
    EXPECT_THROW(form.Form_Load(), ProcessEnded);
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].text, "Error! Can't get Mixer Control Details.");
    EXPECT_EQ(platform.messages.shown[0].style, 0x30u);
    EXPECT_EQ(platform.log.IndexOf("view.SetKnobTop"), -1);
    EXPECT_EQ(platform.log.calls.back(), "EndProcess 0");
}

TEST_F(Form1LoadTest, UnloadClearsTheLoadedFlagAndKeepsTheMixerState) {
    form.Form_Load();
    const auto handle = mixer.MixerHandle();
    form.Form_Unload();
    EXPECT_EQ(host.txtform1signal, "0");
    EXPECT_EQ(mixer.MixerHandle(), handle);
    EXPECT_EQ(mixer.MixerDeviceName().substr(0, 16), "Fake Audio Mixer");
}

class Form1VolumeTest : public Form1LoadTest {
protected:
    void SetUp() override { form.Form_Load(); }
};

TEST_F(Form1VolumeTest, SetVolumeWritesTheLevelsMixerValueThroughTheNewestHandle) {
    const std::int32_t level = 30;
    form.setVolume(level);
    EXPECT_EQ(platform.mixer.written.back(), 45874);
    EXPECT_EQ(platform.mixer.handlesUsed.back(), mixer.MixerHandle());
    EXPECT_EQ(level, 30);
}

TEST_F(Form1VolumeTest, EveryLevelSetThenReadShowsItsComplement) {
    for (std::int32_t level = 0; level <= 100; ++level) {
        form.setVolume(level);
        form.GetVolume();
        EXPECT_EQ(view.readout, std::to_string(100 - level));
        EXPECT_FLOAT_EQ(view.knobTop, static_cast<float>(470 + 13.8 * level));
    }
}

TEST_F(Form1VolumeTest, LevelsAboveTheTrackAreWrittenAsFullVolume) {
    form.setVolume(-23);
    EXPECT_EQ(platform.mixer.written.back(), 65535);
    form.GetVolume();
    EXPECT_FLOAT_EQ(view.knobTop, 470.0f);
}

TEST_F(Form1VolumeTest, AFailedWriteEndsWithItsMessage) {
    platform.mixer.setResult = 11;
    EXPECT_THROW(form.setVolume(50), ProcessEnded);
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].text, "Error! Unable to set Mixer Control Details.");
    EXPECT_EQ(platform.messages.shown[0].style, 0x30u);
    EXPECT_EQ(platform.log.calls.back(), "EndProcess 0");
}

TEST_F(Form1VolumeTest, ABadControlTypeTextIsAnErrorNotAMixerCall) {
    const auto before = platform.log.calls.size();
    EXPECT_THROW(form.GetCoreComponents("volume"), std::invalid_argument);
    EXPECT_THROW(form.GetCoreComponents(""), std::invalid_argument);
    EXPECT_THROW(form.GetCoreComponents("99999999999"), std::invalid_argument);
    EXPECT_THROW(form.GetCoreComponents("-1"), std::invalid_argument);
    EXPECT_EQ(platform.log.calls.size(), before);
}

TEST_F(Form1VolumeTest, TheMuteTypeTextFetchesTheMuteControl) {
    form.GetCoreComponents("536936450");
    EXPECT_EQ(mixer.CurrentControl().controlId, FakeMixer::kMuteId);
    form.GetCoreComponents("1342373889");
    EXPECT_EQ(mixer.CurrentControl().controlId, FakeMixer::kVolumeId);
}

} // namespace
} // namespace kob::test
