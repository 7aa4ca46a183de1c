#include <gtest/gtest.h>

#include <functional>

#include "controller/Form1.h"
#include "fakes/FakeController.h"
#include "mixer/VolumeScale.h"

namespace kob::test {
namespace {

class Form1KeysTest : public ::testing::Test, protected ControllerOnFakes {
protected:
    // Loads a controller at the given percent.
    void LoadAt(std::int32_t percent) {
        platform.mixer.values[FakeMixer::kVolumeId] = MixerValueFromLevel(100 - percent);
        showing.Load();
    }
    std::int32_t Percent() { return PercentFromMixerValue(platform.mixer.values[FakeMixer::kVolumeId]); }

    Form1& form = showing.form;
};

TEST(Form1KeysTable, EachKeyAndWheelTurnSetsItsVolume) {
    using K = Form1Key;
    const struct {
        std::int32_t from;
        std::function<void(Form1&)> act;
        std::int32_t to;
    } rows[] = {
        {50, [](Form1& f) { f.KeyDown(K::Up); }, 52},
        {50, [](Form1& f) { f.KeyDown(K::Right); }, 52},
        {50, [](Form1& f) { f.KeyDown(K::Down); }, 48},
        {50, [](Form1& f) { f.KeyDown(K::Left); }, 48},
        {50, [](Form1& f) { f.KeyDown(K::PageUp); }, 60},
        {50, [](Form1& f) { f.KeyDown(K::PageDown); }, 40},
        {50, [](Form1& f) { f.KeyDown(K::Home); }, 100},
        {50, [](Form1& f) { f.KeyDown(K::End); }, 0},
        {99, [](Form1& f) { f.KeyDown(K::Up); }, 100},
        {1, [](Form1& f) { f.KeyDown(K::Down); }, 0},
        {95, [](Form1& f) { f.KeyDown(K::PageUp); }, 100},
        {5, [](Form1& f) { f.KeyDown(K::PageDown); }, 0},
        {50, [](Form1& f) { f.MouseWheel(120); }, 52},
        {50, [](Form1& f) { f.MouseWheel(-360); }, 44},
        {50, [](Form1& f) { f.MouseWheel(60); }, 50},
        {50, [](Form1& f) { f.MouseWheel(60), f.MouseWheel(60); }, 52},
        {50, [](Form1& f) { f.MouseWheel(-30), f.MouseWheel(-100); }, 48},
        {100, [](Form1& f) { f.MouseWheel(240); }, 100},
        {0, [](Form1& f) { f.MouseWheel(-120); }, 0},
        {50, [](Form1& f) { f.Image5_Click(), f.KeyDown(K::Up), f.MouseWheel(120); }, 50},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        ControllerOnFakes c;
        FakePlatform& p = c.platform;
        FakeShowing& s = c.showing;
        p.mixer.values[FakeMixer::kVolumeId] = MixerValueFromLevel(100 - rows[i].from);
        s.Load();
        rows[i].act(s.form);
        EXPECT_EQ(PercentFromMixerValue(p.mixer.values[FakeMixer::kVolumeId]), rows[i].to);
        EXPECT_EQ(s.view.readout, std::to_string(rows[i].to));
    }
}

TEST_F(Form1KeysTest, SpaceAndMToggleTheMuteBoxAndEscapeClosesLikeTheCloseButton) {
    LoadAt(50);
    form.KeyDown(Form1Key::Space);
    EXPECT_EQ(platform.mixer.values[FakeMixer::kMuteId], 1);
    EXPECT_TRUE(showing.view.muteBoxTicked);
    form.KeyDown(Form1Key::M);
    EXPECT_EQ(platform.mixer.values[FakeMixer::kMuteId], 0);
    form.KeyDown(Form1Key::Up);
    EXPECT_EQ(Percent(), 52) << "the slider keeps the volume control after the mute";
    form.StartVolumeSync();
    form.KeyDown(Form1Key::Escape);
    EXPECT_TRUE(showing.view.TimerEnabled(Form1Timer::Fade));
    EXPECT_FALSE(showing.view.TimerEnabled(Form1Timer::SyncVolume));
    form.KeyDown(Form1Key::M);
    EXPECT_EQ(platform.mixer.values[FakeMixer::kMuteId], 0) << "no key acts during the fade";
}

} // namespace
} // namespace kob::test
