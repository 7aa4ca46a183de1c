#include <gtest/gtest.h>

#include "common/Rounding.h"
#include "common/Twips.h"
#include "controller/SliderGeometry.h"

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
    std::int32_t percent;
    float knobTop;
};

class VolumeWorkedValues : public ::testing::TestWithParam<WorkedVolume> {};

TEST_P(VolumeWorkedValues, LevelToPercentToKnob) {
    const WorkedVolume& w = GetParam();
    EXPECT_EQ(SliderGeometry::PercentOfLevel(w.level), w.percent);
    EXPECT_FLOAT_EQ(SliderGeometry::KnobTopAt(w.percent).Value(), w.knobTop);
}

INSTANTIATE_TEST_SUITE_P(Table, VolumeWorkedValues,
                         ::testing::Values(WorkedVolume{0, 100, 470.0f}, WorkedVolume{1, 99, 483.8f},
                                           WorkedVolume{30, 70, 884.0f}, WorkedVolume{50, 50, 1160.0f},
                                           WorkedVolume{70, 30, 1436.0f}, WorkedVolume{99, 1, 1836.2f},
                                           WorkedVolume{100, 0, 1850.0f}),
                         [](const auto& info) { return "level" + std::to_string(info.param.level); });

TEST(SliderGeometry, LevelsAboveTheTravelGiveFullVolumeAndBelowItSilence) {
    EXPECT_EQ(SliderGeometry::PercentOfLevel(-1), 100);
    EXPECT_EQ(SliderGeometry::PercentOfLevel(-23), 100);
    EXPECT_EQ(SliderGeometry::PercentOfLevel(101), 0);
    EXPECT_EQ(SliderGeometry::PercentOfLevel(INT32_MIN), 100);
    EXPECT_EQ(SliderGeometry::PercentOfLevel(INT32_MAX), 0);
}

TEST(SliderGeometry, EachKnobPlaceSetsTheNearestPercentStep) {
    const std::pair<float, std::int32_t> table[] = {{470, 0},    {480, 1},      {495, 2},    {1160, 50},
                                                    {1500, 75},  {1830, 99},    {1845, 100}, {1850, 100},
                                                    {483.8f, 1}, {1836.2f, 99}, {150, -23}};
    for (const auto& [top, level] : table) {
        EXPECT_EQ(SliderGeometry::LevelAt(Twips(top)), level) << "top " << top;
    }
}

TEST(Twips, EachAxisIsConvertedWithItsOwnTwipsPerPixel) {
    const PixelRect p = ToPixels({240, 400, 120, 200}, 12, 20);
    EXPECT_EQ(p.left, 20);
    EXPECT_EQ(p.top, 20);
    EXPECT_EQ(p.width, 10);
    EXPECT_EQ(p.height, 10);
}

TEST(SliderGeometry, TheKnobShowingEachPercentSetsThatPercent) {
    for (std::int32_t percent = 0; percent <= 100; ++percent) {
        EXPECT_EQ(SliderGeometry::PercentOfLevel(SliderGeometry::LevelAt(SliderGeometry::KnobTopAt(percent))), percent)
            << "percent " << percent;
    }
}

} // namespace
} // namespace kob
