#include <gtest/gtest.h>

#include "fakes/FakeServices.h"
#include "volume/MasterVolume.h"

namespace kob::test {
namespace {

TEST(MasterVolumeTest, APercentBeyondEitherEndIsWrittenAsThatEnd) {
    FakePlatform p;
    MasterVolume volume{p.volume};
    ASSERT_EQ(volume.LookAt(DeviceUse::Volume), std::nullopt);
    for (const auto& [percent, written] : {std::pair{101, 100}, {INT32_MAX, 100}, {-1, 0}, {INT32_MIN, 0}, {70, 70}}) {
        EXPECT_EQ(volume.SetVolume(percent), std::nullopt);
        EXPECT_EQ(p.volume.percent, written) << percent;
    }
}

TEST(MasterVolumeTest, OnlyTheControllersLookAndTheMuteBoxsWriteNameTheDevice) {
    FakePlatform p;
    MasterVolume volume{p.volume};
    ASSERT_EQ(volume.LookAt(DeviceUse::Mute), std::nullopt);
    EXPECT_TRUE(volume.DeviceName().empty()) << "the mute monitor's look names nothing";
    p.volume.name = "SB Live! Audio";
    EXPECT_EQ(volume.SetMuted(true), std::nullopt);
    EXPECT_TRUE(volume.Muted().Value());
    EXPECT_EQ(volume.DeviceName(), "SB Live! Audio");
    p.volume.name = "USB Headset";
    EXPECT_EQ(volume.LookAt(DeviceUse::Volume), std::nullopt);
    EXPECT_EQ(volume.DeviceName(), "USB Headset");
    EXPECT_EQ(p.volume.refusedCalls, 0);
}

} // namespace
} // namespace kob::test
