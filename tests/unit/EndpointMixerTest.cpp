#include <gtest/gtest.h>

#include <cmath>

#include "fakes/FakeServices.h"
#include "mixer/EndpointMixer.h"
#include "mixer/Mixer.h"

namespace kob::test {
namespace {

// A default render endpoint that can be taken away and given back, or made to refuse any call.
struct FakeEndpoint : AudioEndpoint {
    bool Resolve() override {
        ++resolves;
        resolvedDevice = present ? device : 0;
        return present;
    }
    // The system reports a new default device while the old one still answers.
    bool DefaultChanged() override { return present && resolvedDevice != device && oldDeviceStillAnswers; }
    bool Usable() const {
        return resolvedDevice != 0 && present && (resolvedDevice == device || oldDeviceStillAnswers);
    }
    bool ReadLevel(float& scalar) override {
        scalar = level;
        return Usable() && readable;
    }
    bool WriteLevel(float scalar) override {
        if (!Usable() || !writable) {
            return false;
        }
        level = scalar;
        return true;
    }
    bool ReadMute(bool& value) override {
        value = muted;
        return Usable();
    }
    bool WriteMute(bool value) override {
        muted = value;
        return Usable();
    }
    std::string FriendlyName() override { return Usable() ? name : ""; }

    bool present = true;
    bool readable = true;
    bool writable = true;
    int device = 1;         // changes when another device becomes the default
    int resolvedDevice = 0; // the one the last Resolve found
    int resolves = 0;
    bool oldDeviceStillAnswers = false;
    float level = 1.0f;
    bool muted = false;
    std::string name = "Speakers (High Definition Audio Device)";
};

class EndpointMixerTest : public ::testing::Test {
protected:
    std::uintptr_t Open() {
        std::uintptr_t handle = 0;
        EXPECT_EQ(mixer.OpenDevice0(handle), 0u);
        return handle;
    }
    FakeEndpoint endpoint;
    EndpointMixer mixer{endpoint};
};

TEST_F(EndpointMixerTest, LevelsMapToTheMixersScaleBothWaysRoundedHalfToEven) {
    const std::uintptr_t handle = Open();
    for (auto [scalar, value] : {std::pair{0.0f, 0}, {0.5f, 32768}, {1.0f, 65535}, {1.0f / 65535, 1}}) {
        endpoint.level = scalar;
        std::int32_t read = -1;
        EXPECT_EQ(mixer.GetControlValue(handle, 0, read), 0u);
        EXPECT_EQ(read, value) << scalar;
    }
    for (std::int32_t value : {0, 1, 32767, 32768, 65535}) {
        EXPECT_EQ(mixer.SetControlValue(handle, 0, value), 0u);
        EXPECT_FLOAT_EQ(endpoint.level, static_cast<float>(value / 65535.0)) << value;
        std::int32_t read = -1;
        mixer.GetControlValue(handle, 0, read);
        EXPECT_EQ(read, value) << "reads back as written";
    }
}

TEST_F(EndpointMixerTest, MuteBothWays) {
    const std::uintptr_t handle = Open();
    for (bool muted : {true, false}) {
        EXPECT_EQ(mixer.SetControlValue(handle, 1, muted ? 1 : 0), 0u);
        EXPECT_EQ(endpoint.muted, muted);
        std::int32_t read = -1;
        EXPECT_EQ(mixer.GetControlValue(handle, 1, read), 0u);
        EXPECT_EQ(read, muted ? 1 : 0);
    }
}

TEST_F(EndpointMixerTest, TheProgramSeesTheMixerItAlwaysHadWithTheDevicesName) {
    endpoint.name = "Speakers (Realtek High Definition Audio)"; // 40 characters
    FakePlatform p;
    Mixer m{mixer, p.messages, p.process};
    m.GetMuteComponents();
    m.GetCoreComponents("1342373889");
    EXPECT_EQ(m.CurrentControl().controlId, 0u);
    EXPECT_EQ(m.CurrentControl().maximum, 65535);
    EXPECT_EQ(m.MuteControl().controlId, 1u);
    // The name field holds 31 characters and a NUL.
    EXPECT_EQ(m.MixerDeviceName(), std::string("Speakers (Realtek High Definiti") + '\0');
    EXPECT_TRUE(p.messages.shown.empty());
}

TEST_F(EndpointMixerTest, ADeviceThatGoesAndComesBackIsFoundAgainAndNoDeviceAtAllEndsAsWinmmWould) {
    FakePlatform p;
    Mixer m{mixer, p.messages, p.process};
    m.GetCoreComponents("1342373889");
    endpoint.device = 2; // headphones plugged in: another default device
    endpoint.level = 0.5f;
    EXPECT_EQ(m.ReadCurrentControl(), 32768) << "read from the new default device";
    // Speakers plugged in beside headphones that stay usable: the new default is followed all the same.
    endpoint.oldDeviceStillAnswers = true;
    endpoint.device = 3;
    const int resolves = endpoint.resolves;
    m.ReadCurrentControl();
    EXPECT_EQ(endpoint.resolvedDevice, 3);
    EXPECT_EQ(endpoint.resolves, resolves + 1);
    endpoint.oldDeviceStillAnswers = false;
    endpoint.present = false;
    EXPECT_THROW(m.ReadCurrentControl(), ProcessEnded);
    ASSERT_EQ(p.messages.shown.size(), 1u);
    EXPECT_EQ(p.messages.shown[0].text, "Error! Can't get Mixer Control Details.");
    FakePlatform q;
    Mixer none{mixer, q.messages, q.process};
    EXPECT_THROW(none.GetCoreComponents("1342373889"), ProcessEnded);
    EXPECT_EQ(q.messages.shown[0].text, "Error! Unable to open a Mixer Device. Program will be terminated.");
}

TEST(EndpointChoice, TheEndpointStandsForTheMasterOnlyWhenItReadsAndTakesItsLevelBack) {
    const struct {
        bool present, readable, writable, chosen;
    } rows[] = {
        {false, true, true, false}, {true, false, true, false}, {true, true, false, false}, {true, true, true, true}};
    for (const auto& row : rows) {
        FakeEndpoint endpoint;
        endpoint.present = row.present;
        endpoint.readable = row.readable;
        endpoint.writable = row.writable;
        endpoint.level = 0.3f;
        EXPECT_EQ(EndpointCanBeTheMaster(endpoint), row.chosen);
        EXPECT_FLOAT_EQ(endpoint.level, 0.3f) << "the level is left as it was";
    }
}

} // namespace
} // namespace kob::test
