// Bad days of the running program: an ending is one box and then the end, whatever else falls due while the box
// is open, and a box of the controller does not lose the controller under it.
#include <gtest/gtest.h>

#include "fakes/TrayAppOnFakes.h"

namespace kob::test {
namespace {

// A box's modal loop goes on delivering the program's messages until the program stops everything: here a few
// ticks of the mute monitor and, with the controller shown, of its volume sync.
void TicksWhileABoxIsOpen(TrayAppOnFakes& c) {
    c.platform.messages.whileOpen = [&c] {
        for (int tick = 0; tick < 3 && !c.platform.process.stopped; ++tick) {
            if (c.view.muteMonitor) {
                c.app.OnMuteMonitorTick();
            }
            if (c.Showing().Loaded() && c.ShowingView().TimerEnabled(ControllerTimer::VolumeSync)) {
                RunHandler(c.Showing(), [](Controller& shown) { shown.OnVolumeSyncTick(); });
            }
        }
    };
}

void StartAndShowTheController(TrayAppOnFakes& c) {
    c.Start();
    c.app.OnTrayIconEvent(TrayIconEvent::LeftButtonUp);
    TicksWhileABoxIsOpen(c);
}

TEST(OneEndingTest, AVolumeFailureAnywhereShowsOneBoxAndThenTheProgramEndsWithNothingAfter) {
    const struct {
        const char* name;
        void (*run)(TrayAppOnFakes&);
        const char* message;
        std::uint32_t exitCode;
    } cases[] = {
        {"the mute monitor's read",
         [](TrayAppOnFakes& c) {
             StartAndShowTheController(c);
             c.platform.volume.readFails = true;
             c.app.OnMuteMonitorTick();
         },
         "Error! Unable to get Mixer Control Details.", 15},
        {"the mute monitor's write of a mute changed elsewhere",
         [](TrayAppOnFakes& c) {
             StartAndShowTheController(c);
             c.platform.volume.muted = true;
             c.platform.volume.writeFails = true;
             c.app.OnMuteMonitorTick();
         },
         "Error! Unable to set Mixer Control Details.", 14},
        {"the volume sync's read",
         [](TrayAppOnFakes& c) {
             StartAndShowTheController(c);
             c.platform.volume.readFails = true;
             RunHandler(c.Showing(), [](Controller& shown) { shown.OnVolumeSyncTick(); });
         },
         "Error! Can't get Mixer Control Details.", 13},
        {"a key's write",
         [](TrayAppOnFakes& c) {
             StartAndShowTheController(c);
             c.platform.volume.writeFails = true;
             RunHandler(c.Showing(), [](Controller& shown) { shown.OnKey(ControllerKey::Down); });
         },
         "Error! Unable to set Mixer Control Details.", 14},
        {"a turn of the wheel over the tray icon: the volume's read",
         [](TrayAppOnFakes& c) {
             c.Start();
             c.platform.volume.readFails = true;
             c.app.OnTrayIconWheel(120);
         },
         "Error! Can't get Mixer Control Details.", 13},
        {"a middle click on the tray icon: the mute's write",
         [](TrayAppOnFakes& c) {
             StartAndShowTheController(c);
             c.platform.volume.writeFails = true;
             c.app.OnTrayIconEvent(TrayIconEvent::MiddleButtonUp);
         },
         "Error! Unable to set Mixer Control Details.", 14},
        {"a tray click whose load finds the device gone",
         [](TrayAppOnFakes& c) {
             c.Start();
             c.platform.volume.prepareFailure = VolumeFailure::NoDevice;
             c.app.OnTrayIconEvent(TrayIconEvent::LeftButtonUp);
         },
         "Error! Unable to open a Mixer Device. Program will be terminated.", 10},
        {"keeping on top a controller whose load finds no speakers line",
         [](TrayAppOnFakes& c) {
             c.Start();
             c.platform.volume.prepareFailure = VolumeFailure::NoOutput;
             c.view.choice = MenuCommand::KeepOnTop;
             c.app.OnTrayIconEvent(TrayIconEvent::RightButtonDown);
         },
         "Error! Unable to get Mixer Line information.", 11},
        {"a start with the output muted and no volume control",
         [](TrayAppOnFakes& c) {
             c.platform.volume.hasVolume = false;
             c.platform.volume.muted = true;
             TicksWhileABoxIsOpen(c);
             c.app.Start();
         },
         "Error! Unable to retriev the controls associated with an audio line .", 12},
    };
    for (const auto& due : cases) {
        SCOPED_TRACE(due.name);
        TrayAppOnFakes c;
        due.run(c);
        ASSERT_EQ(c.platform.messages.shown.size(), 1u);
        EXPECT_EQ(c.platform.messages.shown[0].text, due.message);
        EXPECT_EQ(c.platform.messages.shown[0].title, kTitle);
        EXPECT_EQ(c.platform.messages.shown[0].icon, MessageIcon::Exclamation);
        EXPECT_TRUE(c.platform.process.stopped);
        EXPECT_EQ(c.platform.process.exitCode, due.exitCode);
        EXPECT_EQ(c.Activity(), c.activityAtEnd) << "nothing after the ending";
    }
}

TEST(ControllerBoxTest, ATrayClickWhileABoxOfTheControllerIsOpenDoesNotFreeTheControllerUnderIt) {
    const struct {
        const char* name;
        // Opens a box inside one of the controller's handlers.
        void (*openBox)(TrayAppOnFakes&);
        const char* message;
        // Where the window under the box stands: a load whose window went while its box was open goes no further
        // and never places it; a whole load placed it beside the work area's corner.
        int placedAtX;
    } cases[] = {
        {"a step of its load fails",
         [](TrayAppOnFakes& c) {
             c.windows.failingOperation = "ShowSkin";
             c.app.OnTrayIconEvent(TrayIconEvent::LeftButtonUp);
         },
         "Unable to load the skin picture.", 0},
        {"the Volume Control cannot be started",
         [](TrayAppOnFakes& c) {
             c.app.OnTrayIconEvent(TrayIconEvent::LeftButtonUp);
             c.platform.launcher.failWith = "The system cannot find the file specified.";
             RunHandler(c.Showing(), [](Controller& shown) { shown.OnVolumeControlSpotClicked(); });
         },
         "Unable to open Windows Volume Control The system cannot find the file specified.", 874},
    };
    for (const auto& box : cases) {
        SCOPED_TRACE(box.name);
        TrayAppOnFakes c;
        c.Start();
        c.app.FreeHiddenControllers();
        int aliveWhileOpen = 0;
        c.platform.messages.whileOpen = [&] {
            c.windows.failingOperation.clear();
            c.app.OnTrayIconEvent(TrayIconEvent::LeftButtonUp);
            aliveWhileOpen = c.windows.alive;
        };
        box.openBox(c);

        ASSERT_EQ(c.platform.messages.shown.size(), 1u);
        EXPECT_EQ(c.platform.messages.shown[0].text, box.message);
        EXPECT_EQ(aliveWhileOpen, 2) << "the controller under the box outlives its handler";
        EXPECT_FALSE(c.windows.showings[0]->Loaded());
        EXPECT_TRUE(c.windows.showings[1]->Loaded());
        const FakeControllerView& under = *c.windows.views[0];
        EXPECT_TRUE(c.windows.views[1]->TimerEnabled(ControllerTimer::VolumeSync));
        EXPECT_FALSE(under.TimerEnabled(ControllerTimer::VolumeSync));
        EXPECT_EQ(under.shownAt.x, box.placedAtX);
        c.app.FreeHiddenControllers();
        EXPECT_EQ(c.windows.alive, 1);
    }
}

} // namespace
} // namespace kob::test
