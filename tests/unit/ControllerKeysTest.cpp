#include <gtest/gtest.h>

#include <functional>

#include "controller/Controller.h"
#include "fakes/FakeController.h"

namespace kob::test {
namespace {

class ControllerKeysTest : public ::testing::Test, protected ControllerOnFakes {
protected:
    // Loads a controller at the given percent.
    void LoadAt(std::int32_t percent) {
        platform.volume.percent = percent;
        showing.Load();
    }
    std::int32_t Percent() { return platform.volume.percent; }
};

TEST(ControllerKeysTable, EachKeyAndWheelTurnSetsItsVolume) {
    using K = ControllerKey;
    const struct {
        std::int32_t from;
        std::function<void(Controller&)> act;
        std::int32_t to;
    } rows[] = {
        {50, [](Controller& f) { f.OnKey(K::Up); }, 52},
        {50, [](Controller& f) { f.OnKey(K::Right); }, 52},
        {50, [](Controller& f) { f.OnKey(K::Down); }, 48},
        {50, [](Controller& f) { f.OnKey(K::Left); }, 48},
        {50, [](Controller& f) { f.OnKey(K::PageUp); }, 60},
        {50, [](Controller& f) { f.OnKey(K::PageDown); }, 40},
        {50, [](Controller& f) { f.OnKey(K::Home); }, 100},
        {50, [](Controller& f) { f.OnKey(K::End); }, 0},
        {99, [](Controller& f) { f.OnKey(K::Up); }, 100},
        {1, [](Controller& f) { f.OnKey(K::Down); }, 0},
        {95, [](Controller& f) { f.OnKey(K::PageUp); }, 100},
        {5, [](Controller& f) { f.OnKey(K::PageDown); }, 0},
        {50, [](Controller& f) { f.OnWheel(120); }, 52},
        {50, [](Controller& f) { f.OnWheel(-360); }, 44},
        {50, [](Controller& f) { f.OnWheel(60); }, 50},
        {50, [](Controller& f) { f.OnWheel(60), f.OnWheel(60); }, 52},
        {50, [](Controller& f) { f.OnWheel(-30), f.OnWheel(-100); }, 48},
        {100, [](Controller& f) { f.OnWheel(240); }, 100},
        {0, [](Controller& f) { f.OnWheel(-120); }, 0},
        {50, [](Controller& f) { f.OnCloseClicked(), f.OnKey(K::Up), f.OnWheel(120); }, 50},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        ControllerOnFakes c;
        FakePlatform& p = c.platform;
        p.volume.percent = rows[i].from;
        c.showing.Load();
        rows[i].act(c.controller);
        EXPECT_EQ(p.volume.percent, rows[i].to);
        EXPECT_EQ(c.view.readout, std::to_string(rows[i].to));
    }
}

TEST_F(ControllerKeysTest, SpaceAndMToggleTheMuteBoxAndEscapeClosesLikeTheCloseButton) {
    LoadAt(50);
    controller.OnKey(ControllerKey::Space);
    EXPECT_TRUE(platform.volume.muted);
    EXPECT_TRUE(view.muteBoxTicked);
    controller.OnKey(ControllerKey::M);
    EXPECT_FALSE(platform.volume.muted);
    controller.OnKey(ControllerKey::Up);
    EXPECT_EQ(Percent(), 52) << "the slider keeps the volume control after the mute";
    controller.StartVolumeSync();
    controller.OnKey(ControllerKey::Escape);
    EXPECT_TRUE(view.TimerEnabled(ControllerTimer::Fade));
    EXPECT_FALSE(view.TimerEnabled(ControllerTimer::VolumeSync));
    controller.OnKey(ControllerKey::M);
    EXPECT_FALSE(platform.volume.muted) << "no key acts during the fade";
}

} // namespace
} // namespace kob::test
