#include <gtest/gtest.h>

#include "controller/Form1.h"
#include "fakes/FakeController.h"

namespace kob::test {
namespace {

constexpr auto HKCU = RegistryRoot::CurrentUser;
const std::string kProgramKeyPath = "Software\\Marlox's Software\\Drovo Volume Controller\\3.0";
constexpr int kLeft = 1;

class Form1ButtonsTest : public ::testing::Test, protected ControllerOnFakes {
protected:
    Form1ButtonsTest() {
        platform.registry.SetDword(HKCU, kProgramKeyPath, "ontopstat", 0);
        facts.SystemDir = "C:\\WINNT\\system32";
        showing.Load();
        form.StartVolumeSync();
    }
    std::uint32_t OnTopStat() { return platform.registry.Dword(HKCU, kProgramKeyPath, "ontopstat"); }

    FakeForm1View& view = showing.view;
    Form1& form = showing.form;
};

TEST_F(Form1ButtonsTest, TheMuteBoxWritesTheMuteThenGivesTheSliderTheVolumeAgain) {
    form.SetMuteBox(1);
    EXPECT_TRUE(view.muteBoxTicked);
    EXPECT_EQ(platform.mixer.values[FakeMixer::kMuteId], 1);
    const auto& log = platform.log;
    const int write = log.IndexOf("mixerSetControlDetails 1 1");
    ASSERT_GE(write, 0);
    EXPECT_LT(log.IndexOf("mixerGetLineControls"), write);
    EXPECT_EQ(log.calls.back().rfind("mixerGetLineControls", 0), 0u);
    EXPECT_NE(log.calls.back().find(" 1342373889"), std::string::npos) << "the volume control comes back last";
    // The slider now moves the volume, not the mute.
    form.Image1_Click();
    form.Image1_MouseMove(0, 0, 100, 1010); // knob Top 1160: 50 %
    EXPECT_EQ(platform.mixer.values[FakeMixer::kVolumeId], 32768);
    EXPECT_EQ(platform.mixer.values[FakeMixer::kMuteId], 1);
    // Setting the box to what it shows already changes nothing.
    const auto calls = log.calls.size();
    form.SetMuteBox(1);
    EXPECT_EQ(log.calls.size(), calls);
    form.SetMuteBox(0);
    EXPECT_EQ(platform.mixer.values[FakeMixer::kMuteId], 0);
    EXPECT_FALSE(view.muteBoxTicked);
    EXPECT_EQ(platform.mixer.refusedCalls, 0);
}

TEST_F(Form1ButtonsTest, EachWayOfClosing) {
    const struct {
        const char* name;
        void (*close)(Form1&);
        bool fades;
        bool syncStops;
        bool unloadsAtOnce;
    } ways[] = {
        {"close button", [](Form1& f) { f.Image5_Click(); }, true, true, false},
        {"background click", [](Form1& f) { f.Form_Click(); }, true, true, false},
        {"background double-click", [](Form1& f) { f.Form_DblClick(); }, true, false, false},
        {"Audio Properties double-click", [](Form1& f) { f.Image3_DblClick(); }, false, true, true},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        ControllerOnFakes c;
        FakePlatform& p = c.platform;
        FakeShowing& s = c.showing;
        FakeForm1Host& h = c.host;
        p.registry.SetDword(HKCU, kProgramKeyPath, "ontopstat", 0);
        s.Load();
        s.form.StartVolumeSync();
        way.close(s.form);
        EXPECT_EQ(p.registry.Dword(HKCU, kProgramKeyPath, "ontopstat"), 2u);
        EXPECT_LT(p.log.IndexOf("RegSetValueEx ontopstat"),
                  p.log.IndexOf(way.unloadsAtOnce ? "view.Unload" : "view.EnableTimer 1 on"));
        EXPECT_EQ(s.view.TimerEnabled(Form1Timer::Fade), way.fades);
        EXPECT_EQ(s.view.TimerEnabled(Form1Timer::SyncVolume), !way.syncStops);
        EXPECT_EQ(s.view.unloaded, way.unloadsAtOnce);
        EXPECT_EQ(h.txtform1signal, way.unloadsAtOnce ? "0" : "1");
        EXPECT_TRUE(s.view.opacities.empty());
        EXPECT_TRUE(p.launcher.started.empty()) << "a double-click's own handler launches nothing";
    }
}

TEST_F(Form1ButtonsTest, AClickThatEndsAWindowDragDoesNotCloseALaterOneDoes) {
    form.Form_MouseMove(0, 0, 300, 900);
    form.Form_MouseMove(kLeft, 0, 200, 900);
    form.Form_MouseUp(kLeft, 0, 200, 900);
    form.Form_Click();
    EXPECT_FALSE(view.TimerEnabled(Form1Timer::Fade));
    EXPECT_EQ(OnTopStat(), 0u);
    form.tmr_drag_handler_Timer();
    form.Form_MouseUp(kLeft, 0, 200, 900);
    form.Form_Click();
    EXPECT_TRUE(view.TimerEnabled(Form1Timer::Fade));
    EXPECT_EQ(OnTopStat(), 2u);
    // After a drag, a double-click alone starts the fade.
    ControllerOnFakes c;
    FakeShowing& s = c.showing;
    s.Load();
    s.form.Form_MouseMove(0, 0, 300, 900);
    s.form.Form_MouseMove(kLeft, 0, 200, 900);
    s.form.Form_Click();
    s.form.Form_DblClick();
    EXPECT_TRUE(s.view.TimerEnabled(Form1Timer::Fade));
}

TEST_F(Form1ButtonsTest, TheFadeSteps84OpacitiesAndUnloadsAtThe85thTickNeverAtZero) {
    form.Image5_Click();
    for (int tick = 1; tick <= 84; ++tick) {
        form.Timer1_Timer();
    }
    ASSERT_EQ(view.opacities.size(), 84u);
    for (std::size_t i = 0; i < view.opacities.size(); ++i) {
        EXPECT_EQ(view.opacities[i], 252 - 3 * static_cast<int>(i));
    }
    EXPECT_FALSE(view.unloaded);
    form.Timer1_Timer();
    EXPECT_EQ(view.opacities.size(), 84u) << "never set to 0";
    EXPECT_TRUE(view.unloaded);
    EXPECT_FALSE(view.TimerEnabled(Form1Timer::Fade));
    EXPECT_EQ(host.txtform1signal, "0");
    EXPECT_EQ(form.State().FadeLevel, 0);
}

TEST_F(Form1ButtonsTest, EachSyncTickShowsTheVolumeSetElsewhere) {
    for (auto [value, shown] : {std::pair{19660, "30"}, {65535, "100"}, {327, "0"}}) {
        platform.mixer.values[FakeMixer::kVolumeId] = value;
        form.tmrsyncvol_Timer();
        EXPECT_EQ(view.readout, shown);
    }
}

TEST_F(Form1ButtonsTest, TheHotSpotsStartTheSystemToolsAndAFailedStartIsReportedAndChangesNothing) {
    const struct {
        void (*click)(Form1&);
        const char* command;
        const char* failure;
    } spots[] = {
        {[](Form1& f) { f.Image4_Click(); }, "\"C:\\WINNT\\system32\\sndvol32.exe\"",
         "Unable to open Windows Volume Control "},
        {[](Form1& f) { f.Image3_Click(); },
         "\"C:\\WINNT\\system32\\rundll32.exe\" shell32.dll,Control_RunDLL mmsys.cpl",
         "Unable to open Audio properties. "},
    };
    for (const auto& spot : spots) {
        SCOPED_TRACE(spot.command);
        platform.launcher.started.clear();
        platform.launcher.failWith.clear();
        platform.messages.shown.clear();
        spot.click(form);
        EXPECT_EQ(platform.launcher.started, std::vector<std::string>{spot.command});
        EXPECT_TRUE(platform.messages.shown.empty());

        platform.launcher.failWith = "The system cannot find the file specified.";
        spot.click(form);
        ASSERT_EQ(platform.messages.shown.size(), 1u);
        EXPECT_EQ(platform.messages.shown[0].text,
                  std::string(spot.failure) + "The system cannot find the file specified.");
        EXPECT_EQ(platform.messages.shown[0].title, "Drovo Volume Controller 3.0");
        EXPECT_EQ(platform.messages.shown[0].style, 0x30u);
        EXPECT_FALSE(view.unloaded);
        EXPECT_FALSE(view.TimerEnabled(Form1Timer::Fade));
        EXPECT_TRUE(view.TimerEnabled(Form1Timer::SyncVolume));
        EXPECT_EQ(OnTopStat(), 0u);
    }
}

} // namespace
} // namespace kob::test
