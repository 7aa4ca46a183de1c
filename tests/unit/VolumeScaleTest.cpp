#include <gtest/gtest.h>

#include "common/Rounding.h"
#include "common/Twips.h"
#include "controller/SliderScale.h"
#include "volume/VolumeScale.h"

namespace kob {
namespace {

TEST(RoundHalfEven, ExactHalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(0.5), 0.0);
    EXPECT_EQ(RoundHalfEven(1.5), 2.0);
    EXPECT_EQ(RoundHalfEven(2.5), 2.0);
    EXPECT_EQ(RoundHalfEven(-0.5), 0.0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2.0);
    EXPECT_EQ(RoundHalfEven(2.4999), 2.0);
    EXPECT_EQ(RoundHalfEven(2.5001), 3.0);
    EXPECT_EQ(RoundHalfEven(-23.19), -23.0);
}

struct WorkedVolume {
    std::int32_t level;
    std::int32_t deviceValue;
    std::int32_t percent;
    float knobTop;
};

class VolumeWorkedValues : public ::testing::TestWithParam<WorkedVolume> {};

TEST_P(VolumeWorkedValues, LevelToDeviceValueToPercentToKnob) {
    const WorkedVolume& w = GetParam();
    EXPECT_EQ(DeviceValueFromPercent(PercentFromLevel(w.level)), w.deviceValue);
    EXPECT_EQ(PercentFromDeviceValue(w.deviceValue), w.percent);
    EXPECT_FLOAT_EQ(KnobTopFromPercent(w.percent), w.knobTop);
}

INSTANTIATE_TEST_SUITE_P(Table, VolumeWorkedValues,
                         ::testing::Values(WorkedVolume{0, 65535, 100, 470.0f}, WorkedVolume{1, 64880, 99, 483.8f},
                                           WorkedVolume{30, 45874, 70, 884.0f}, WorkedVolume{50, 32768, 50, 1160.0f},
                                           WorkedVolume{70, 19660, 30, 1436.0f}, WorkedVolume{99, 655, 1, 1836.2f},
                                           WorkedVolume{100, 0, 0, 1850.0f}),
                         [](const auto& info) { return "level" + std::to_string(info.param.level); });

TEST(VolumeScale, EveryLevelReadsBackAsItsComplement) {
    for (std::int32_t level = 0; level <= 100; ++level) {
        EXPECT_EQ(PercentFromDeviceValue(DeviceValueFromPercent(100 - level)), 100 - level) << "level " << level;
    }
}

TEST(VolumeScale, ValuesBetweenLevelsAreRoundedToTheNearestPercent) {
    EXPECT_EQ(PercentFromDeviceValue(32767), 50);
    EXPECT_EQ(PercentFromDeviceValue(32768), 50);
    EXPECT_EQ(PercentFromDeviceValue(65535), 100);
    EXPECT_EQ(PercentFromDeviceValue(0), 0);
    EXPECT_EQ(PercentFromDeviceValue(327), 0);
    EXPECT_EQ(PercentFromDeviceValue(328), 1);
    // Wine stores volumes through a float and may hand back one less than written.
    EXPECT_EQ(PercentFromDeviceValue(45873), 70);
}

TEST(SliderScale, LevelsOutsideTheTrackAreTakenAsItsEnds) {
    EXPECT_EQ(PercentFromLevel(-1), 100);
    EXPECT_EQ(PercentFromLevel(-23), 100);
    EXPECT_EQ(PercentFromLevel(101), 0);
    EXPECT_EQ(PercentFromLevel(INT32_MIN), 100);
    EXPECT_EQ(PercentFromLevel(INT32_MAX), 0);
}

TEST(VolumeScale, TheEndpointsScalarMapsToTheDeviceScaleBothWaysRoundedHalfToEven) {
    for (auto [scalar, value] : {std::pair{0.0f, 0}, {0.5f, 32768}, {1.0f, 65535}, {1.0f / 65535, 1}}) {
        EXPECT_EQ(DeviceValueFromScalar(scalar), value) << scalar;
    }
    for (std::int32_t value : {0, 1, 32767, 32768, 65535}) {
        EXPECT_FLOAT_EQ(ScalarFromDeviceValue(value), static_cast<float>(value / 65535.0)) << value;
        EXPECT_EQ(DeviceValueFromScalar(ScalarFromDeviceValue(value)), value) << "reads back as written";
    }
}

TEST(SliderScale, KnobTopGivesTheLevel) {
    const std::pair<float, std::int32_t> table[] = {{470, 0},    {480, 1},      {495, 2},    {1160, 50},
                                                    {1500, 75},  {1830, 99},    {1845, 100}, {1850, 100},
                                                    {483.8f, 1}, {1836.2f, 99}, {150, -23}};
    for (const auto& [top, level] : table) {
        EXPECT_EQ(LevelFromKnobTop(top), level) << "top " << top;
    }
}

TEST(Twips, EachAxisIsConvertedWithItsOwnTwipsPerPixel) {
    const PixelRect p = ToPixels({240, 400, 120, 200}, 12, 20);
    EXPECT_EQ(p.left, 20);
    EXPECT_EQ(p.top, 20);
    EXPECT_EQ(p.width, 10);
    EXPECT_EQ(p.height, 10);
}

TEST(SliderScale, KnobPositionsOfEveryPercentRoundTrip) {
    for (std::int32_t percent = 0; percent <= 100; ++percent) {
        EXPECT_EQ(LevelFromKnobTop(KnobTopFromPercent(percent)), 100 - percent) << "percent " << percent;
    }
}

} // namespace
} // namespace kob
