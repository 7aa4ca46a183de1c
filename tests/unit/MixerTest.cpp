#include <gtest/gtest.h>

#include <memory>

#include "fakes/FakeServices.h"
#include "mixer/Mixer.h"

namespace kob::test {
namespace {

constexpr std::uint32_t kVolumeType = 0x50030001;
constexpr std::uint32_t kMuteType = 0x20010002;

class MixerTest : public ::testing::Test {
protected:
    // Runs a discovery expected to end the program and checks the one message it showed.
    template <typename Call> void ExpectFatal(Call&& call, const char* message) {
        EXPECT_THROW(call(), ProcessEnded);
        ASSERT_EQ(platform.messages.shown.size(), 1u);
        EXPECT_EQ(platform.messages.shown[0].text, message);
        EXPECT_EQ(platform.messages.shown[0].title, "Drovo Volume Controller 3.0");
        EXPECT_EQ(platform.messages.shown[0].style, 0x30u);
        EXPECT_EQ(platform.log.calls.back(), "EndProcess 0");
    }

    FakePlatform platform;
    Mixer mixer{platform.mixer, platform.messages, platform.process};
};

TEST_F(MixerTest, EachDiscoveryFindsItsControlAndOnlyTheControllersNamesTheDevice) {
    mixer.GetMuteComponents();
    EXPECT_EQ(mixer.MuteControl().controlId, FakeMixer::kMuteId);
    EXPECT_EQ(mixer.MuteControl().controlType, kMuteType);
    EXPECT_TRUE(mixer.MixerDeviceName().empty());
    mixer.GetCoreComponents("1342373889");
    EXPECT_EQ(mixer.CurrentControl().controlId, FakeMixer::kVolumeId);
    EXPECT_EQ(mixer.CurrentControl().controlType, kVolumeType);
    EXPECT_EQ(mixer.MixerDeviceName().substr(0, 16), "Fake Audio Mixer");
    EXPECT_EQ(mixer.MuteControl().controlId, FakeMixer::kMuteId);
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(MixerTest, NoMixerDeviceEndsWithTheOpenMessageBeforeAnyOtherCall) {
    platform.mixer.openResult = 2; // MMSYSERR_BADDEVICEID
    ExpectFatal([&] { mixer.GetMuteComponents(); },
                "Error! Unable to open a Mixer Device. Program will be terminated.");
    EXPECT_EQ(platform.log.IndexOf("mixerGetLineInfo"), -1);
    EXPECT_EQ(mixer.MixerHandle(), 0u);
}

TEST_F(MixerTest, LineAndControlFailuresEndWithTheirMessages) {
    const struct {
        void (*arrange)(FakeMixer&);
        const char* message;
    } failures[] = {
        {[](FakeMixer& m) { m.lineResult = 1024; }, "Error! Unable to get Mixer Line information."},
        {[](FakeMixer& m) { m.hasMute = false; },
         "Error! Unable to retriev the controls associated with an audio line ."},
    };
    for (const auto& failure : failures) {
        FakePlatform p;
        Mixer m{p.mixer, p.messages, p.process};
        failure.arrange(p.mixer);
        EXPECT_THROW(m.GetMuteComponents(), ProcessEnded);
        ASSERT_EQ(p.messages.shown.size(), 1u);
        EXPECT_EQ(p.messages.shown[0].text, failure.message);
        EXPECT_EQ(p.messages.shown[0].style, 0x30u);
    }
}

TEST_F(MixerTest, ValueFailuresEndWithTheirMessages) {
    mixer.GetCoreComponents("1342373889");
    platform.mixer.getResult = 11;
    ExpectFatal([&] { mixer.ReadCurrentControl(); }, "Error! Can't get Mixer Control Details.");
    platform.messages.shown.clear();
    platform.mixer.setResult = 11;
    ExpectFatal([&] { mixer.WriteCurrentControl(1); }, "Error! Unable to set Mixer Control Details.");
    platform.messages.shown.clear();
    mixer.GetMuteComponents();
    ExpectFatal([&] { mixer.ReadMuteControl(); }, "Error! Unable to get Mixer Control Details.");
}

TEST_F(MixerTest, EachDiscoveryUsesTheNewestHandleAndClosesOnlyTheOneItReplaces) {
    mixer.GetMuteComponents();
    const std::uintptr_t first = mixer.MixerHandle();
    for (int i = 0; i < 10; ++i) {
        mixer.GetCoreComponents(i % 2 ? "536936450" : "1342373889");
        mixer.WriteCurrentControl(100);
        mixer.ReadCurrentControl();
    }
    EXPECT_NE(mixer.MixerHandle(), first);
    EXPECT_EQ(platform.mixer.opens, 11);
    ASSERT_EQ(platform.mixer.closed.size(), 10u);
    EXPECT_EQ(platform.mixer.closed.front(), first);
    EXPECT_EQ(platform.mixer.openHandles, std::set<std::uintptr_t>{mixer.MixerHandle()});
    EXPECT_EQ(platform.mixer.refusedCalls, 0);
}

TEST_F(MixerTest, AFailedReopenClosesNothing) {
    mixer.GetCoreComponents("1342373889");
    platform.mixer.openResult = 2;
    EXPECT_THROW(mixer.GetCoreComponents("1342373889"), ProcessEnded);
    EXPECT_TRUE(platform.mixer.closed.empty());
}

TEST_F(MixerTest, TheLastHandleIsClosedOnceWhenTheMixerGoes) {
    FakePlatform p;
    {
        Mixer m{p.mixer, p.messages, p.process};
        m.GetMuteComponents();
        m.GetCoreComponents("1342373889");
    }
    EXPECT_EQ(p.mixer.opens, 2);
    EXPECT_EQ(p.mixer.closed.size(), 2u);
    EXPECT_TRUE(p.mixer.openHandles.empty());
    EXPECT_EQ(p.mixer.refusedCalls, 0);
    // A mixer that never opened closes nothing.
    { Mixer unused{p.mixer, p.messages, p.process}; }
    EXPECT_EQ(p.mixer.closed.size(), 2u);
}

} // namespace
} // namespace kob::test
