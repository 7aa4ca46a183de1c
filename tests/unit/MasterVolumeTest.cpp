#include <gtest/gtest.h>

#include <functional>

#include "fakes/FakeServices.h"
#include "volume/MasterVolume.h"

namespace kob::test {
namespace {

TEST(MasterVolumeTest, EachFailureShowsItsOneMessageAndEndsTheProgramWithItsCodeAndNothingAfter) {
    const struct {
        const char* name;
        std::function<void(FakeVolumeDevice&)> arrange;
        std::function<void(MasterVolume&)> act;
        const char* message;
        std::uint32_t exitCode;
    } failures[] = {
        {"no device", [](FakeVolumeDevice& d) { d.prepareFailure = VolumeFailure::NoDevice; },
         [](MasterVolume& v) { v.FindMuteControl(); },
         "Error! Unable to open a Mixer Device. Program will be terminated.", 10},
        {"no speakers line", [](FakeVolumeDevice& d) { d.prepareFailure = VolumeFailure::NoOutput; },
         [](MasterVolume& v) { v.FindVolumeControl(); }, "Error! Unable to get Mixer Line information.", 11},
        {"no mute control", [](FakeVolumeDevice& d) { d.hasMute = false; },
         [](MasterVolume& v) { v.FindMuteControl(); },
         "Error! Unable to retriev the controls associated with an audio line .", 12},
        {"the volume unreadable", [](FakeVolumeDevice& d) { d.readFails = true; }, [](MasterVolume& v) { v.Volume(); },
         "Error! Can't get Mixer Control Details.", 13},
        {"the volume refused", [](FakeVolumeDevice& d) { d.writeFails = true; },
         [](MasterVolume& v) { v.SetVolume(50); }, "Error! Unable to set Mixer Control Details.", 14},
        {"the mute refused", [](FakeVolumeDevice& d) { d.writeFails = true; },
         [](MasterVolume& v) { v.SetMuted(true); }, "Error! Unable to set Mixer Control Details.", 14},
        {"the mute unreadable", [](FakeVolumeDevice& d) { d.readFails = true; },
         [](MasterVolume& v) {
             v.FindMuteControl();
             v.Muted();
         },
         "Error! Unable to get Mixer Control Details.", 15},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.name);
        FakePlatform p;
        MasterVolume volume{p.volume, p.messages, p.process};
        volume.FindVolumeControl();
        failure.arrange(p.volume);
        EXPECT_THROW(failure.act(volume), ProcessEnded);
        ASSERT_EQ(p.messages.shown.size(), 1u);
        EXPECT_EQ(p.messages.shown[0].text, failure.message);
        EXPECT_EQ(p.messages.shown[0].title, "Drovo Volume Controller 3.0");
        EXPECT_EQ(p.messages.shown[0].icon, MessageIcon::Exclamation);
        EXPECT_TRUE(p.process.stopped) << "every handler is stopped before the box";
        EXPECT_TRUE(p.process.ended);
        EXPECT_EQ(p.log.calls.back(), "EndProcess " + std::to_string(failure.exitCode)) << "nothing after the ending";
    }
}

TEST(MasterVolumeTest, APercentBeyondEitherEndIsWrittenAsThatEnd) {
    FakePlatform p;
    MasterVolume volume{p.volume, p.messages, p.process};
    volume.FindVolumeControl();
    for (const auto& [percent, written] : {std::pair{101, 100}, {INT32_MAX, 100}, {-1, 0}, {INT32_MIN, 0}, {70, 70}}) {
        volume.SetVolume(percent);
        EXPECT_EQ(p.volume.percent, written) << percent;
    }
    EXPECT_TRUE(p.messages.shown.empty());
}

TEST(MasterVolumeTest, OnlyTheControllersFindAndTheMuteBoxsWriteNameTheDevice) {
    FakePlatform p;
    MasterVolume volume{p.volume, p.messages, p.process};
    volume.FindMuteControl();
    EXPECT_TRUE(volume.DeviceName().empty()) << "the mute monitor's find names nothing";
    EXPECT_FALSE(volume.Muted());
    p.volume.name = "SB Live! Audio";
    volume.SetMuted(true);
    EXPECT_TRUE(p.volume.muted);
    EXPECT_TRUE(volume.Muted());
    EXPECT_EQ(volume.DeviceName(), "SB Live! Audio");
    EXPECT_EQ(p.volume.refusedCalls, 0);
}

} // namespace
} // namespace kob::test
