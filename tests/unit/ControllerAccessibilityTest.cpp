#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "controller/Controller.h"
#include "fakes/FakeController.h"

namespace kob::test {
namespace {

TEST(ControllerAccessibilityTable, ThePartsTellWhatTheControllerShows) {
    const struct {
        std::int32_t percent;
        bool muted;
        std::string value;
        std::string muteAction;
    } rows[] = {{45, false, "45", "Check"}, {0, true, "0", "Uncheck"}, {100, false, "100", "Check"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.value);
        ControllerOnFakes c;
        c.platform.volume.percent = row.percent;
        c.showing.Load();
        c.controller.SetMuteBox(row.muted);
        const AccessibleParts parts = c.controller.DescribeParts();
        EXPECT_EQ(parts[0].part, ControllerPart::Slider);
        EXPECT_EQ(parts[0].role, AccessibleRole::Slider);
        EXPECT_EQ(parts[0].name, "Volume");
        EXPECT_EQ(parts[0].value, row.value);
        EXPECT_EQ(parts[0].value, c.view.readout) << "the value is what the read-out shows";
        EXPECT_EQ(parts[1].role, AccessibleRole::CheckBox);
        EXPECT_EQ(parts[1].name, "Mute");
        EXPECT_EQ(parts[1].checked, row.muted);
        EXPECT_EQ(parts[1].defaultAction, row.muteAction);
        const std::pair<ControllerPart, std::string> buttons[] = {
            {ControllerPart::Close, "Close"},
            {ControllerPart::VolumeControlSpot, "Open Volume Control"},
            {ControllerPart::AudioPropertiesSpot, "Adjust Audio Properties"}};
        for (std::size_t i = 0; i < std::size(buttons); ++i) {
            EXPECT_EQ(parts[i + 2].part, buttons[i].first);
            EXPECT_EQ(parts[i + 2].role, AccessibleRole::PushButton);
            EXPECT_EQ(parts[i + 2].name, buttons[i].second);
            EXPECT_EQ(parts[i + 2].defaultAction, "Press");
        }
    }
}

TEST(ControllerAccessibilityTable, AScreenReaderSetsTheVolumeAndClicksThePartsAsTheUserDoes) {
    const struct {
        std::function<bool(Controller&)> act;
        bool accepted;
        std::int32_t percent;
        bool muted;
        int volumeAnnouncements;
        int muteAnnouncements;
    } rows[] = {
        {[](Controller& c) { return c.SetVolumeFromText("45"); }, true, 45, false, 1, 0},
        {[](Controller& c) { return c.SetVolumeFromText(" 80 % "); }, true, 80, false, 1, 0},
        {[](Controller& c) { return c.SetVolumeFromText("150"); }, true, 100, false, 1, 0},
        {[](Controller& c) { return c.SetVolumeFromText("99999999999999999999"); }, true, 100, false, 1, 0},
        {[](Controller& c) { return c.SetVolumeFromText("-5"); }, true, 0, false, 1, 0},
        {[](Controller& c) { return c.SetVolumeFromText("50"); }, true, 50, false, 0, 0},
        {[](Controller& c) { return c.SetVolumeFromText("loud"); }, false, 50, false, 0, 0},
        {[](Controller& c) { return c.SetVolumeFromText("4 5"); }, false, 50, false, 0, 0},
        {[](Controller& c) { return c.SetVolumeFromText(""); }, false, 50, false, 0, 0},
        {[](Controller& c) { return c.DoDefaultAction(ControllerPart::MuteBox); }, true, 50, true, 0, 1},
        {[](Controller& c) { return c.DoDefaultAction(ControllerPart::Slider); }, false, 50, false, 0, 0},
        {[](Controller& c) { return c.DoDefaultAction(ControllerPart::Close) && !c.SetVolumeFromText("10"); }, true, 50,
         false, 0, 0},
        {[](Controller& c) {
             return c.DoDefaultAction(ControllerPart::Close) && !c.DoDefaultAction(ControllerPart::MuteBox);
         },
         true, 50, false, 0, 0},
        {[](Controller& c) { return c.OnKey(ControllerKey::Up), c.OnKey(ControllerKey::M), true; }, true, 52, true, 1,
         1},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        ControllerOnFakes c;
        c.platform.volume.percent = 50;
        c.showing.Load();
        const int announcedAtLoad = c.view.volumeAnnouncements;
        EXPECT_EQ(rows[i].act(c.controller), rows[i].accepted);
        EXPECT_EQ(c.platform.volume.percent, rows[i].percent);
        EXPECT_EQ(c.view.readout, std::to_string(rows[i].percent));
        EXPECT_EQ(c.platform.volume.muted, rows[i].muted);
        EXPECT_EQ(c.view.volumeAnnouncements - announcedAtLoad, rows[i].volumeAnnouncements);
        EXPECT_EQ(c.view.muteAnnouncements, rows[i].muteAnnouncements);
    }
}

TEST(ControllerAccessibility, ChangesMadeElsewhereAreAnnouncedOnceEach) {
    ControllerOnFakes c;
    c.platform.volume.percent = 50;
    c.showing.Load();
    FakeControllerView& view = c.view;
    const int announcedAtLoad = view.volumeAnnouncements;
    c.platform.volume.percent = 70;
    c.controller.OnVolumeSyncTick();
    c.controller.OnVolumeSyncTick();
    EXPECT_EQ(view.volumeAnnouncements - announcedAtLoad, 1) << "a still volume is not announced again";
    EXPECT_EQ(c.controller.DescribeParts()[0].value, "70");
    c.controller.SetMuteBox(true); // the mute monitor's update
    c.controller.SetMuteBox(true);
    EXPECT_EQ(view.muteAnnouncements, 1);
    EXPECT_TRUE(c.controller.DescribeParts()[1].checked);
}

} // namespace
} // namespace kob::test
