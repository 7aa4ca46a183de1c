// The mixer adapter and the controller's volume routines against Wine's real winmm, on the null audio device.
#include <gtest/gtest.h>

#include <windows.h>

#include <mmsystem.h>

#include "RealMixerPlatform.h"
#include "controller/Controller.h"
#include "fakes/FakeControllerView.h"
#include "fakes/FakeServices.h"
#include "mixer/ControlTypes.h"
#include "mixer/Mixer.h"

namespace kob::test {
namespace {

TEST(Win32Mixer, FindsTheSpeakersVolumeAndMuteControlsByType) {
    RealMixerPlatform p;
    p.mixer.GetCoreComponents("1342373889");
    p.mixer.GetMuteComponents();
    const MixerControlInfo& volume = p.mixer.CurrentControl();
    const MixerControlInfo& mute = p.mixer.MuteControl();
    EXPECT_TRUE(p.messages.shown.empty());
    EXPECT_NE(p.mixer.MixerHandle(), 0u);
    MixerLineInfo line;
    ASSERT_EQ(p.device.GetSpeakersLine(p.mixer.MixerHandle(), line), MMSYSERR_NOERROR);
    EXPECT_EQ(line.lineId, 0xFFFF0000u);
    EXPECT_EQ(line.targetName.size(), 32u);
    EXPECT_EQ(p.mixer.MixerDeviceName().size(), 32u);
    EXPECT_EQ(volume.controlType, kControlTypeVolume);
    EXPECT_EQ(volume.cbStruct, 148u);
    EXPECT_EQ(volume.minimum, 0);
    EXPECT_EQ(volume.maximum, 65535);
    EXPECT_EQ(mute.controlType, kControlTypeMute);
    EXPECT_NE(volume.controlId, mute.controlId);
}

TEST(Win32Mixer, WinmmAcceptsThePublishedControlRecordSizeAndRejectsALongerOne) {
    HMIXER mixer = nullptr;
    ASSERT_EQ(mixerOpen(&mixer, 0, 0, 0, 0), MMSYSERR_NOERROR);
    MIXERLINEA line{};
    line.cbStruct = sizeof(line);
    line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    ASSERT_EQ(mixerGetLineInfoA(reinterpret_cast<HMIXEROBJ>(mixer), &line, MIXER_GETLINEINFOF_COMPONENTTYPE),
              MMSYSERR_NOERROR);
    alignas(4) unsigned char block[152] = {};
    MIXERLINECONTROLSA request{};
    request.cbStruct = sizeof(request);
    request.dwLineID = line.dwLineID;
    request.dwControlType = kControlTypeVolume;
    request.cControls = 1;
    request.pamxctrl = reinterpret_cast<MIXERCONTROLA*>(block);
    request.cbmxctrl = 152;
    EXPECT_EQ(mixerGetLineControlsA(reinterpret_cast<HMIXEROBJ>(mixer), &request, MIXER_GETLINECONTROLSF_ONEBYTYPE),
              MMSYSERR_INVALPARAM);
    request.cbmxctrl = 148;
    EXPECT_EQ(mixerGetLineControlsA(reinterpret_cast<HMIXEROBJ>(mixer), &request, MIXER_GETLINECONTROLSF_ONEBYTYPE),
              MMSYSERR_NOERROR);
    mixerClose(mixer);
}

// A thousand discoveries in one process, as many tray clicks and mute toggles make, keep working: Wine never
// reuses a handle value and refuses the 257th open of a process, so a program that opened the device at every
// discovery would end after a few hundred. The unit tests' mixer fake counts the opens and closes themselves.
TEST(Win32Mixer, AThousandDiscoveriesKeepWorking) {
    RealMixerPlatform p;
    for (int i = 0; i < 1000; ++i) {
        p.mixer.GetCoreComponents(i % 2 ? "536936450" : "1342373889");
    }
    p.mixer.GetMuteComponents();
    const std::int32_t value = p.mixer.ReadCurrentControl();
    EXPECT_TRUE(value == 0 || value == 1);
    const std::int32_t muted = p.mixer.ReadMuteControl();
    EXPECT_TRUE(muted == 0 || muted == 1);
    EXPECT_TRUE(p.messages.shown.empty());
    EXPECT_FALSE(p.process.ended);
}

// The controller's volume routines on the real mixer's volume control.
class Win32MixerVolumeTest : public ::testing::Test {
protected:
    void SetUp() override { form.GetCoreComponents(kControlTypeVolumeText); }
    RealMixerPlatform p;
    FakeControllerView view{p.log};
    FakeControllerHost host;
    StartupFacts facts;
    Controller form{view, p.mixer, {p.screen, p.messages, p.settings, p.launcher}, facts, host};
};

TEST_F(Win32MixerVolumeTest, EveryLevelWrittenReadsBackAsItsComplement) {
    for (std::int32_t level = 0; level <= 100; ++level) {
        form.SetVolumeFromLevel(level);
        form.GetVolume();
        EXPECT_EQ(view.readout, std::to_string(100 - level)) << "level " << level;
        EXPECT_FLOAT_EQ(view.knobTop, static_cast<float>(470 + 13.8 * level)) << "level " << level;
    }
    EXPECT_TRUE(p.messages.shown.empty());
}

TEST_F(Win32MixerVolumeTest, LevelsBeyondTheTrackAreClampedToTheMixersRange) {
    form.SetVolumeFromLevel(-23);
    form.GetVolume();
    EXPECT_EQ(view.readout, "100");
    form.SetVolumeFromLevel(140);
    form.GetVolume();
    EXPECT_EQ(view.readout, "0");
}

TEST(Win32Mixer, AnUnknownControlIdFailsTheReadAndTheWrite) {
    RealMixerPlatform p;
    p.mixer.GetCoreComponents("1342373889");
    std::int32_t value = 0;
    EXPECT_NE(p.device.GetControlValue(p.mixer.MixerHandle(), 0x7777, value), MMSYSERR_NOERROR);
    EXPECT_NE(p.device.SetControlValue(p.mixer.MixerHandle(), 0x7777, 1), MMSYSERR_NOERROR);
}

} // namespace
} // namespace kob::test
