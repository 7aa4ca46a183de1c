// The master volume on the default render endpoint, against an endpoint that can be taken away, replaced or made
// to refuse, as Wine's cannot.
#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/FakeServices.h"
#include "volume/MasterVolume.h"
#include "volume/win32/ChosenBackend.h"
#include "volume/win32/EndpointVolume.h"

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
    std::optional<float> Level() override { return Usable() && readable ? std::optional(level) : std::nullopt; }
    bool WriteLevel(float scalar) override {
        ++writes;
        if (!Usable() || !writable) {
            return false;
        }
        level = scalar;
        return true;
    }
    std::optional<bool> Muted() override { return Usable() ? std::optional(muted) : std::nullopt; }
    bool TellsVolumeSteps() override { return Usable() && tellsSteps; }
    bool WriteMute(bool value) override {
        ++writes;
        muted = value;
        return Usable();
    }
    std::string FriendlyName() override { return Usable() ? name : ""; }

    bool present = true;
    bool readable = true;
    bool writable = true;
    bool tellsSteps = true;
    int writes = 0;
    int device = 1;         // changes when another device becomes the default
    int resolvedDevice = 0; // the one the last Resolve found
    int resolves = 0;
    bool oldDeviceStillAnswers = false;
    float level = 1.0f;
    bool muted = false;
    std::string name = "Speakers (High Definition Audio Device)";
};

class EndpointVolumeTest : public ::testing::Test {
protected:
    FakeEndpoint endpoint;
    EndpointVolume device{endpoint};
};

TEST_F(EndpointVolumeTest, TheLevelIsTheEndpointsScalarInHundredthsAndTheMuteItsOwn) {
    ASSERT_EQ(device.LookAt(DeviceUse::Volume), std::nullopt);
    // Between whole percents the nearest is shown, an exact half the even one.
    for (auto [scalar, percent] : {std::pair{0.0f, 0},
                                   {0.5f, 50},
                                   {1.0f, 100},
                                   {0.7f, 70},
                                   {0.004f, 0},
                                   {0.006f, 1},
                                   {0.125f, 12},
                                   {0.375f, 38}}) {
        endpoint.level = scalar;
        EXPECT_EQ(device.Percent().Value(), percent) << scalar;
    }
    for (int percent : {0, 1, 50, 70, 99, 100}) {
        EXPECT_EQ(device.SetPercent(percent), std::nullopt);
        EXPECT_FLOAT_EQ(endpoint.level, percent / 100.0f) << percent;
        EXPECT_EQ(device.Percent().Value(), percent) << "reads back as written";
    }
    for (bool muted : {true, false}) {
        EXPECT_EQ(device.SetMuted(muted), std::nullopt);
        EXPECT_EQ(endpoint.muted, muted);
        EXPECT_EQ(device.Muted().Value(), muted);
    }
}

TEST_F(EndpointVolumeTest, TheDevicesNameIsItsWholeFriendlyName) {
    endpoint.name = "Speakers (Realtek High Definition Audio)"; // longer than a mixer's name field
    ASSERT_EQ(device.LookAt(DeviceUse::Mute), std::nullopt);
    ASSERT_EQ(device.LookAt(DeviceUse::Volume), std::nullopt);
    EXPECT_EQ(device.Name(), "Speakers (Realtek High Definition Audio)");
    EXPECT_EQ(endpoint.resolves, 1) << "the endpoint is looked for at the first preparation only";
}

TEST_F(EndpointVolumeTest, ADeviceThatGoesAndComesBackIsFoundAgainAndNoDeviceAtAllFailsAsWinmmWould) {
    ASSERT_EQ(device.LookAt(DeviceUse::Volume), std::nullopt);
    endpoint.device = 2; // headphones plugged in: another default device
    endpoint.level = 0.5f;
    EXPECT_EQ(device.Percent().Value(), 50) << "read from the new default device";
    // Speakers plugged in beside headphones that stay usable: the new default is followed all the same.
    endpoint.oldDeviceStillAnswers = true;
    endpoint.device = 3;
    const int resolves = endpoint.resolves;
    EXPECT_EQ(device.Percent().Failure(), std::nullopt);
    EXPECT_EQ(endpoint.resolvedDevice, 3);
    EXPECT_EQ(endpoint.resolves, resolves + 1);
    endpoint.oldDeviceStillAnswers = false;
    endpoint.present = false;
    EXPECT_EQ(device.Percent().Failure(), VolumeFailure::VolumeUnreadable);
    EXPECT_EQ(device.SetMuted(true), VolumeFailure::NotSet);
    FakeEndpoint none;
    none.present = false;
    EndpointVolume noDevice{none};
    EXPECT_EQ(noDevice.LookAt(DeviceUse::Volume), VolumeFailure::NoDevice);
    EXPECT_EQ(noDevice.LookAt(DeviceUse::Mute), VolumeFailure::NoDevice);
}

TEST(EndpointChoice, TheEndpointStandsForTheMasterWhenItReadsAndTellsItsStepsChosenAtTheFirstFindWithoutAWrite) {
    const struct {
        bool present, readable, tellsSteps, chosen;
    } rows[] = {
        {false, true, true, false}, {true, false, true, false}, {true, true, false, false}, {true, true, true, true}};
    for (const auto& row : rows) {
        FakeEndpoint endpoint;
        endpoint.present = row.present;
        endpoint.readable = row.readable;
        endpoint.tellsSteps = row.tellsSteps;
        EndpointVolume onEndpoint{endpoint};
        FakePlatform p;
        MasterVolume volume{[&]() -> VolumeDevice& { return ChooseBackend(endpoint, onEndpoint, p.volume); }};
        EXPECT_EQ(endpoint.resolves, 0) << "nothing is asked before the first find";
        EXPECT_EQ(volume.LookAt(DeviceUse::Mute), std::nullopt);
        const auto& winmmCalls = p.volume.calls;
        EXPECT_EQ(std::count(winmmCalls.begin(), winmmCalls.end(), "LookAtMute") != 0, !row.chosen)
            << "the winmm mixer stands in";
        EXPECT_EQ(endpoint.writes + p.volume.writes, 0) << "the choice writes nothing";
        // The choice stands for the run, whatever the endpoint would answer later.
        endpoint.present = endpoint.readable = endpoint.tellsSteps = !row.chosen;
        (void)volume.LookAt(DeviceUse::Volume);
        EXPECT_EQ(std::count(winmmCalls.begin(), winmmCalls.end(), "LookAtVolume") != 0, !row.chosen);
    }
}

} // namespace
} // namespace kob::test
