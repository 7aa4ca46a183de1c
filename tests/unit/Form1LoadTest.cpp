#include <gtest/gtest.h>

#include "controller/Form1.h"
#include "fakes/FakeForm1View.h"
#include "fakes/FakeServices.h"
#include "mixer/MixerMessages.h"

namespace kob::test {
namespace {

class Form1LoadTest : public ::testing::Test {
protected:
    FakePlatform platform;
    FakeForm1View view{platform.log};
    Form1 form{view, platform.services, platform.context};

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
                                            "view.SetWindowPos",    "view.SetMuteBoxBackColor"};
    EXPECT_EQ(ViewCalls(), expected);
    // Discovery comes after the knob's region and before the volume is shown.
    const auto& log = platform.log;
    EXPECT_LT(log.IndexOf("view.SetKnobRegion"), log.IndexOf("mixerOpen"));
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

TEST_F(Form1LoadTest, PlacesTheWindowAboveATaskBarNotTopmostAndShown) {
    platform.screen.workArea = {0, 0, 1024, 738};
    form.Form_Load();
    EXPECT_EQ(platform.context.WorkAreaRight, 1024);
    EXPECT_EQ(platform.context.WorkAreaBottom, 738);
    EXPECT_EQ(view.windowPos.insertAfter, -2);
    EXPECT_EQ(view.windowPos.x, 874);
    EXPECT_EQ(view.windowPos.y, 548);
    EXPECT_EQ(view.windowPos.cx, 0);
    EXPECT_EQ(view.windowPos.cy, 0);
    EXPECT_EQ(view.windowPos.flags, 0x41u);
}

TEST_F(Form1LoadTest, AnUnreadableWorkAreaPlacesFromZero) {
    platform.screen.workArea = {};
    form.Form_Load();
    EXPECT_EQ(view.windowPos.x, -150);
    EXPECT_EQ(view.windowPos.y, -190);
}

TEST_F(Form1LoadTest, ShowsTheCurrentVolumeAndSetsTheSharedState) {
    platform.mixer.values[FakeMixer::kVolumeId] = 32768;
    platform.context.FadeLevel = 9;
    form.trackclick = true;
    form.Form_Load();
    EXPECT_FLOAT_EQ(view.knobTop, 1160.0f);
    EXPECT_EQ(view.readout, "50");
    EXPECT_EQ(form.CurrentControl.controlId, FakeMixer::kVolumeId);
    EXPECT_EQ(platform.context.MixerDeviceName.size(), 32u);
    EXPECT_EQ(platform.context.MixerDeviceName.substr(0, 16), "Fake Audio Mixer");
    EXPECT_EQ(platform.context.txtform1signal, "1");
    EXPECT_EQ(view.muteBoxBackColor, 0x005E3820u);
    EXPECT_FALSE(form.trackclick);
    EXPECT_EQ(platform.context.FadeLevel, 255);
    EXPECT_FALSE(view.TimerEnabled(Form1Timer::DragHandler));
    EXPECT_FALSE(view.TimerEnabled(Form1Timer::Fade));
    EXPECT_FALSE(view.TimerEnabled(Form1Timer::SyncVolume));
}

TEST_F(Form1LoadTest, ReadoutShowsPlainDigits) {
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
    EXPECT_EQ(platform.context.FadeLevel, 255);
}

TEST_F(Form1LoadTest, EveryFailingViewStepIsReportedOnceAndTheRestStillRuns) {
    for (const char* step : {"SetWindowRegion", "ShowKnobPicture", "SetKnobRegion", "SetKnobTop", "SetReadout",
                             "SetWindowPos", "SetMuteBoxBackColor"}) {
        FakePlatform p;
        FakeForm1View v{p.log};
        Form1 f{v, p.services, p.context};
        v.failingOperation = step;
        f.Form_Load();
        ASSERT_EQ(p.messages.shown.size(), 1u) << step;
        EXPECT_EQ(p.context.FadeLevel, 255) << step;
        EXPECT_EQ(p.context.txtform1signal, "1") << step;
    }
}

TEST_F(Form1LoadTest, NoMixerEndsTheProgramDuringLoadWithNothingAfter) {
    platform.mixer.openResult = 2;
    EXPECT_THROW(form.Form_Load(), ProcessEnded);
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].text, kMsgMixerOpenFailed);
    EXPECT_EQ(platform.log.IndexOf("view.SetWindowPos"), -1);
    EXPECT_EQ(platform.log.IndexOf("view.SetKnobTop"), -1);
    EXPECT_FALSE(view.visible);
}

TEST_F(Form1LoadTest, NoVolumeControlEndsTheLoadWithTheControlsMessage) {
    platform.mixer.hasVolume = false;
    EXPECT_THROW(form.Form_Load(), ProcessEnded);
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].text, kMsgLineControlsFailed);
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
    const auto handle = platform.context.MixerHandle;
    form.Form_Unload();
    EXPECT_EQ(platform.context.txtform1signal, "0");
    EXPECT_EQ(platform.context.MixerHandle, handle);
    EXPECT_EQ(platform.context.MixerDeviceName.substr(0, 16), "Fake Audio Mixer");
}

class Form1VolumeTest : public Form1LoadTest {
protected:
    void SetUp() override { form.Form_Load(); }
};

TEST_F(Form1VolumeTest, SetVolumeWritesTheLevelsMixerValueThroughTheNewestHandle) {
    const std::int32_t level = 30;
    form.setVolume(level);
    EXPECT_EQ(platform.mixer.written.back(), 45874);
    EXPECT_EQ(platform.mixer.handlesUsed.back(), platform.context.MixerHandle);
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
    EXPECT_EQ(platform.log.calls.size(), before);
}

TEST_F(Form1VolumeTest, TheMuteTypeTextFetchesTheMuteControl) {
    form.GetCoreComponents("536936450");
    EXPECT_EQ(form.CurrentControl.controlId, FakeMixer::kMuteId);
    form.GetCoreComponents("1342373889");
    EXPECT_EQ(form.CurrentControl.controlId, FakeMixer::kVolumeId);
}

} // namespace
} // namespace kob::test
