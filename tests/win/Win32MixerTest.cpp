// The mixer adapter and the controller's volume routines against Wine's real winmm, on the null audio device.
#include <gtest/gtest.h>

#include <windows.h>

#include <mmsystem.h>

#include "controller/Form1.h"
#include "fakes/FakeForm1View.h"
#include "fakes/FakeServices.h"
#include "mixer/ControlTypes.h"
#include "mixer/MixerDiscovery.h"
#include "platform/win32/Win32Mixer.h"
#include "platform/win32/Win32Screen.h"

namespace kob::test {
namespace {

// Real mixer and screen; messages and process endings recorded so a failure cannot block or end the test.
struct RealMixerPlatform {
    CallLog log;
    FakeMessageBox messages{log};
    FakeProcess process{log};
    Win32Screen screen;
    Win32Mixer mixer;
    FakeRegistry registry{log};
    FakeProcessList processList{log};
    FakeSystemInfo systemInfo;
    FakeModulePath modulePath;
    Services services{mixer, messages, process, screen, registry, processList, systemInfo, modulePath};
    ProgramContext context;
};

TEST(Win32Mixer, FindsTheSpeakersVolumeAndMuteControlsByType) {
    RealMixerPlatform p;
    MixerLineInfo line;
    MixerControlInfo volume;
    MixerControlInfo mute;
    DiscoverSpeakersControl(p.services, p.context, kControlTypeVolume, line, volume);
    DiscoverSpeakersControl(p.services, p.context, kControlTypeMute, line, mute);
    EXPECT_TRUE(p.messages.shown.empty());
    EXPECT_NE(p.context.MixerHandle, 0u);
    EXPECT_EQ(line.lineId, 0xFFFF0000u);
    EXPECT_EQ(line.targetName.size(), 32u);
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

// Wine hands out the same handle value for every open of a device, Windows a new one each time: either way the
// handle a discovery leaves behind must be open and usable after the one it replaced was closed.
TEST(Win32Mixer, RepeatedDiscoveriesLeaveAWorkingHandle) {
    RealMixerPlatform p;
    MixerLineInfo line;
    MixerControlInfo control;
    for (int i = 0; i < 50; ++i) {
        DiscoverSpeakersControl(p.services, p.context, i % 2 ? kControlTypeMute : kControlTypeVolume, line, control);
    }
    std::int32_t value = -1;
    EXPECT_EQ(p.mixer.GetControlValue(p.context.MixerHandle, control.controlId, value), MMSYSERR_NOERROR);
    EXPECT_TRUE(value == 0 || value == 1);
    EXPECT_TRUE(p.messages.shown.empty());
}

TEST(Win32Mixer, EveryLevelWrittenReadsBackAsItsComplement) {
    RealMixerPlatform p;
    FakeForm1View view{p.log};
    Form1 form{view, p.services, p.context};
    form.GetCoreComponents(kControlTypeVolumeText);
    for (std::int32_t level = 0; level <= 100; ++level) {
        form.setVolume(level);
        form.GetVolume();
        EXPECT_EQ(view.readout, std::to_string(100 - level)) << "level " << level;
        EXPECT_FLOAT_EQ(view.knobTop, static_cast<float>(470 + 13.8 * level)) << "level " << level;
    }
    EXPECT_TRUE(p.messages.shown.empty());
}

TEST(Win32Mixer, LevelsBeyondTheTrackAreClampedToTheMixersRange) {
    RealMixerPlatform p;
    FakeForm1View view{p.log};
    Form1 form{view, p.services, p.context};
    form.GetCoreComponents(kControlTypeVolumeText);
    form.setVolume(-23);
    form.GetVolume();
    EXPECT_EQ(view.readout, "100");
    form.setVolume(140);
    form.GetVolume();
    EXPECT_EQ(view.readout, "0");
}

TEST(Win32Mixer, AnUnknownControlIdFailsTheReadAndTheWrite) {
    RealMixerPlatform p;
    MixerLineInfo line;
    MixerControlInfo control;
    DiscoverSpeakersControl(p.services, p.context, kControlTypeVolume, line, control);
    std::int32_t value = 0;
    EXPECT_NE(p.mixer.GetControlValue(p.context.MixerHandle, 0x7777, value), MMSYSERR_NOERROR);
    EXPECT_NE(p.mixer.SetControlValue(p.context.MixerHandle, 0x7777, 1), MMSYSERR_NOERROR);
}

} // namespace
} // namespace kob::test
