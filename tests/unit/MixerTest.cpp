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
        EXPECT_EQ(platform.messages.shown[0].icon, MessageIcon::Exclamation);
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
        EXPECT_EQ(p.messages.shown[0].icon, MessageIcon::Exclamation);
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

TEST_F(MixerTest, OneHandleServesEveryDiscoveryAndIsClosedOnceWhenTheMixerGoes) {
    FakePlatform p;
    std::uintptr_t handle = 0;
    {
        Mixer m{p.mixer, p.messages, p.process};
        m.GetMuteComponents();
        handle = m.MixerHandle();
        for (int i = 0; i < 1000; ++i) {
            m.GetCoreComponents(i % 2 ? "536936450" : "1342373889");
            m.WriteCurrentControl(100);
            m.ReadCurrentControl();
            m.ReadMuteControl();
        }
        EXPECT_EQ(m.MixerHandle(), handle);
        EXPECT_EQ(p.mixer.opens, 1);
        EXPECT_TRUE(p.mixer.closed.empty());
        EXPECT_EQ(std::set<std::uintptr_t>(p.mixer.handlesUsed.begin(), p.mixer.handlesUsed.end()),
                  std::set<std::uintptr_t>{handle});
    }
    EXPECT_EQ(p.mixer.closed, std::vector<std::uintptr_t>{handle});
    EXPECT_EQ(p.mixer.refusedCalls, 0);
    // A mixer that never opened closes nothing.
    { Mixer unused{p.mixer, p.messages, p.process}; }
    EXPECT_EQ(p.mixer.closed.size(), 1u);
}

TEST_F(MixerTest, ADiscoveryWhoseCallFailsOpensTheDeviceAgainOnceAndAFailureThenIsFinal) {
    const struct {
        const char* name;
        void (*arrange)(FakeMixer&, std::uintptr_t kept);
        const char* message; // nullptr: the discovery succeeds
        bool keptClosed;
    } cases[] = {
        {"the kept handle no longer served", [](FakeMixer& m, std::uintptr_t kept) { m.broken.insert(kept); }, nullptr,
         true},
        {"and the device cannot be opened",
         [](FakeMixer& m, std::uintptr_t kept) {
             m.broken.insert(kept);
             m.openResult = 2;
         },
         "Error! Unable to open a Mixer Device. Program will be terminated.", false},
        {"and the new handle finds no line",
         [](FakeMixer& m, std::uintptr_t kept) {
             m.broken.insert(kept);
             m.lineResult = 1024;
         },
         "Error! Unable to get Mixer Line information.", true},
        {"a line without a volume control", [](FakeMixer& m, std::uintptr_t) { m.hasVolume = false; },
         "Error! Unable to retriev the controls associated with an audio line .", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform p;
        Mixer m{p.mixer, p.messages, p.process};
        m.GetMuteComponents();
        const std::uintptr_t kept = m.MixerHandle();
        c.arrange(p.mixer, kept);
        if (c.message) {
            EXPECT_THROW(m.GetCoreComponents("1342373889"), ProcessEnded);
            ASSERT_EQ(p.messages.shown.size(), 1u);
            EXPECT_EQ(p.messages.shown[0].text, c.message);
        } else {
            m.GetCoreComponents("1342373889");
            EXPECT_TRUE(p.messages.shown.empty());
            EXPECT_EQ(m.ReadCurrentControl(), 65535);
            EXPECT_EQ(m.ReadMuteControl(), 0);
            EXPECT_NE(p.mixer.handlesUsed.back(), kept) << "later calls use the new handle";
        }
        EXPECT_EQ(p.mixer.opens, c.keptClosed ? 2 : 1);
        EXPECT_EQ(p.mixer.closed, c.keptClosed ? std::vector<std::uintptr_t>{kept} : std::vector<std::uintptr_t>{});
        EXPECT_EQ(p.mixer.refusedCalls, 0);
    }
}

} // namespace
} // namespace kob::test
