#include <gtest/gtest.h>

#include "fakes/FakeServices.h"
#include "mixer/ControlTypes.h"
#include "mixer/MixerDiscovery.h"
#include "mixer/MixerMessages.h"

namespace kob::test {
namespace {

class MixerDiscoveryTest : public ::testing::Test {
protected:
    void Discover(std::uint32_t type) {
        DiscoverSpeakersControl(platform.services, platform.context, type, line, control);
    }

    // Runs a discovery expected to end the program and checks the one message it showed.
    void ExpectFatal(std::uint32_t type, const char* message) {
        EXPECT_THROW(Discover(type), ProcessEnded);
        ASSERT_EQ(platform.messages.shown.size(), 1u);
        EXPECT_EQ(platform.messages.shown[0].text, message);
        EXPECT_EQ(platform.messages.shown[0].title, "Drovo Volume Controller 3.0");
        EXPECT_EQ(platform.messages.shown[0].style, 0x30u);
        EXPECT_TRUE(platform.process.ended);
        EXPECT_EQ(platform.log.calls.back(), "EndProcess 0");
    }

    FakePlatform platform;
    MixerLineInfo line;
    MixerControlInfo control;
};

TEST_F(MixerDiscoveryTest, FindsTheControlOfTheRequestedType) {
    Discover(kControlTypeMute);
    EXPECT_EQ(control.controlId, FakeMixer::kMuteId);
    EXPECT_EQ(control.controlType, kControlTypeMute);
    EXPECT_EQ(line.lineId, 0xFFFF0000u);
    EXPECT_NE(platform.context.MixerHandle, 0u);
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(MixerDiscoveryTest, NoMixerDeviceEndsWithTheOpenMessageBeforeAnyOtherCall) {
    platform.mixer.openResult = 2; // MMSYSERR_BADDEVICEID
    ExpectFatal(kControlTypeMute, kMsgMixerOpenFailed);
    EXPECT_EQ(platform.log.IndexOf("mixerGetLineInfo"), -1);
    EXPECT_EQ(platform.context.MixerHandle, 0u);
}

TEST_F(MixerDiscoveryTest, LineFailureEndsWithTheLineMessage) {
    platform.mixer.lineResult = 1024; // MIXERR_INVALLINE
    ExpectFatal(kControlTypeVolume, kMsgLineInfoFailed);
    EXPECT_EQ(platform.log.IndexOf("mixerGetLineControls"), -1);
}

TEST_F(MixerDiscoveryTest, LineWithoutTheControlEndsWithTheControlsMessage) {
    platform.mixer.hasMute = false;
    ExpectFatal(kControlTypeMute, kMsgLineControlsFailed);
}

TEST_F(MixerDiscoveryTest, EachDiscoveryUsesAndKeepsTheNewestHandleAndClosesTheOldOne) {
    Discover(kControlTypeVolume);
    const std::uintptr_t first = platform.context.MixerHandle;
    for (int i = 0; i < 10; ++i) {
        Discover(i % 2 ? kControlTypeMute : kControlTypeVolume);
    }
    const std::uintptr_t newest = platform.context.MixerHandle;
    EXPECT_NE(newest, first);
    ASSERT_EQ(platform.mixer.closed.size(), 10u);
    EXPECT_EQ(platform.mixer.closed.front(), first);
    EXPECT_EQ(platform.log.calls.back(),
              "mixerGetLineControls " + std::to_string(newest) + " " + std::to_string(kControlTypeMute));
    // The handle in use is never closed.
    for (auto h : platform.mixer.closed) {
        EXPECT_NE(h, newest);
    }
}

TEST_F(MixerDiscoveryTest, AFailedReopenKeepsNoStaleHandleClosed) {
    Discover(kControlTypeVolume);
    platform.mixer.openResult = 2;
    EXPECT_THROW(Discover(kControlTypeVolume), ProcessEnded);
    EXPECT_TRUE(platform.mixer.closed.empty());
}

} // namespace
} // namespace kob::test
