#pragma once

#include <optional>

#include "controller/ControllerSlot.h"
#include "controller/WheelNotches.h"
#include "platform/InstanceGuard.h"
#include "platform/MessageBoxService.h"
#include "platform/ModulePathService.h"
#include "platform/Notice.h"
#include "platform/ProcessControl.h"
#include "platform/ProcessListService.h"
#include "platform/ProgramLauncher.h"
#include "platform/StartupFacts.h"
#include "platform/SystemInfoService.h"
#include "settings/Settings.h"
#include "tray/MuteMonitor.h"
#include "tray/TestSound.h"
#include "tray/TrayMenu.h"
#include "tray/TrayView.h"
#include "volume/MasterVolume.h"

namespace kob {

// The platform services TrayApp uses.
struct TrayAppServices {
    MessageBoxService& messages;
    ProcessControl& process;
    Settings& settings;
    ProcessListService& processList;
    SystemInfoService& systemInfo;
    ModulePathService& modulePath;
    ProgramLauncher& launcher;
};

// The program's logic behind its hidden tray window. It runs the start-up sequence and then owns what the running
// program needs: the start-up facts, the master volume, the tray icon with its mute monitor and menu, and each
// showing of the controller.
class TrayApp {
public:
    // Each showing of the controller uses the controller's services and a window made by `makeControllerWindow`.
    TrayApp(TrayView& view, const TrayAppServices& services, MasterVolume::DeviceChoice chooseVolumeDevice,
            SoundDevice& soundDevice, const ControllerServices& controllerServices,
            ControllerWindowMaker makeControllerWindow);
    ~TrayApp();

    // The start-up sequence: the process id, the window and its load, and last of all the tray icon, so that a
    // refused start never shows one; a refusal ends the program here. The common controls are prepared by the
    // windows that use them.
    void Start();
    // The window is closed by the system (shut-down, log-off): the controller is recorded as closed.
    void OnClosedBySystem();

    // The mouse over the tray icon: a right press opens the menu, a left release or double-click shows the
    // controller afresh, a middle release switches the master mute; every other event does nothing.
    void OnTrayIconEvent(TrayIconEvent event);
    // The wheel turned over the tray icon, in 1/120 of a notch (positive away from the user): the master volume
    // steps as the controller's wheel steps it, whether the controller is shown or not; a shown one follows at
    // its next volume sync.
    void OnTrayIconWheel(int travel);
    void RunMenuCommand(MenuCommand command);
    // The test sound's device reports that playback ended.
    void OnTestSoundDone() { testSound_.OnTestSoundDone(); }

    // The program's one way of telling the user what went wrong, wherever it happened: a box, and for an ending,
    // the end of the program.
    void Report(const Notice& notice);

    // The mute monitor's timer: the tray icon, and the mute box while the controller is loaded, follow the master
    // mute.
    void OnMuteMonitorTick();

    // Frees the controller showings that are hidden. The program's message loop calls it after each message, where
    // no handler runs; a box's modal loop never does.
    void FreeHiddenControllers() { controller_.FreeHidden(); }

private:
    // Each step of the start-up in its order, up to the tray icon; the refusal that ends the start, if one does.
    std::optional<Notice> RunStartupSteps();
    // Unloads the controller if it is loaded and shows a new one, in front, following the volume.
    [[nodiscard]] std::optional<VolumeFailure> ShowController();
    // Sets "Keep Controller on Top" from the stored controller state and shows the menu; runs the command chosen.
    void PopUpMenu();
    [[nodiscard]] std::optional<VolumeFailure> KeepControllerOnTop();
    // Switches the master mute; the tray icon, and the mute box of a loaded controller, show it at once.
    [[nodiscard]] std::optional<VolumeFailure> SwitchMute();
    // Moves the master volume by whole notches of the wheel from where the device has it.
    [[nodiscard]] std::optional<VolumeFailure> StepVolume(int notches);
    // The menu's exit: the controller is recorded closed and the program ends at once.
    void ExitProgram();
    // The master volume's failure, wherever it happened while the program runs, ends the program with its
    // message.
    void OnVolumeFailure(VolumeFailure failure);

    TrayView& view_;
    TrayAppServices services_;
    StartupFacts facts_;
    MasterVolume volume_;
    KeepOnTopItem keepOnTop_;
    // The wheel's travel over the tray icon short of a whole notch.
    WheelNotches trayIconWheel_;
    TestSound testSound_;
    // Last but the monitor, so that showings still loaded at the end unload while everything they tell is alive.
    ControllerSlot controller_;
    MuteMonitor muteMonitor_;
};

} // namespace kob
