#pragma once

#include <cstdint>
#include <string>

#include "controller/ControllerHost.h"
#include "controller/ControllerSlot.h"
#include "platform/InstanceGuard.h"
#include "platform/MessageBoxService.h"
#include "platform/ModulePathService.h"
#include "platform/ProcessControl.h"
#include "platform/ProcessListService.h"
#include "platform/ProgramLauncher.h"
#include "platform/StartupFacts.h"
#include "platform/SystemInfoService.h"
#include "settings/Settings.h"
#include "tray/TestSound.h"
#include "tray/TrayMenu.h"
#include "tray/TrayView.h"
#include "volume/MasterVolume.h"

namespace kob {

// The platform services the companion uses.
struct TrayAppServices {
    MessageBoxService& messages;
    ProcessControl& process;
    Settings& settings;
    ProcessListService& processList;
    SystemInfoService& systemInfo;
    ModulePathService& modulePath;
    ProgramLauncher& launcher;
};

// The hidden companion window, the program's start-up window. It runs the start-up sequence and then owns what the
// running program needs: the start-up facts, the master volume, the tray icon with its mute monitor, and each showing
// of the controller.
class TrayApp : public ControllerHost {
public:
    TrayApp(TrayView& view, const TrayAppServices& services, VolumeDevice& volumeDevice, SoundDevice& soundDevice,
            ControllerFactory& controllers);
    ~TrayApp() override;

    // The start-up sequence: the process id, the window and its load, and last of all the tray icon, so that a
    // refused start never shows one. The common controls are prepared by the windows that use them.
    void Start();
    void RunStartupSteps();
    // The window is closed by the system (shut-down, log-off): the controller is recorded as closed.
    void OnClosedBySystem();

    // A report of the tray icon: the mouse event over it. A right press opens the menu, a left release or
    // double-click shows the controller afresh; every other event does nothing.
    void TrayReport(std::uint32_t eventCode);
    // Unloads the controller if it is loaded and shows a new one, in front, following the volume.
    void ShowController();
    // Sets "Keep Controller on Top" from the stored controller state and shows the menu; runs the command chosen.
    void PopUpMenu();
    void RunMenuCommand(MenuCommand command);
    // The test sound's device reports that playback ended.
    void OnTestSoundDone() { testSound_.OnTestSoundDone(); }

    // The mute monitor: the tray icon, and the mute box while the controller is loaded, follow the master mute.
    void OnMuteMonitorTick();
    // Reads the master mute into TxtMuteVal ("0" or "1").
    void GetMuteVal();
    void SetTrayIconNormal();
    void SetTrayIconMuted();

    // Frees the controller showings that have ended; runs from a posted message.
    void DiscardFinishedControllers();

    // ControllerHost
    void SetControllerLoaded(bool loaded) override;

    const StartupFacts& Facts() const { return facts_; }
    const std::string& txtform1signal() const { return txtform1signal_; }
    const std::string& TxtMuteVal() const { return TxtMuteVal_; }
    const OnTopItem& ontop() const { return ontop_; }
    MasterVolume& Volume() { return volume_; }

private:
    void KeepControllerOnTop();
    // The menu's exit: the controller is recorded closed and the program ends at once.
    [[noreturn]] void ExitProgram();

    TrayView& view_;
    TrayAppServices services_;
    StartupFacts facts_;
    MasterVolume volume_;
    std::string txtform1signal_ = "0";
    std::string TxtMuteVal_;
    std::int32_t MuteValue_ = 0;
    OnTopItem ontop_;
    TestSound testSound_;
    // Last, so that showings still loaded at the end unload while everything they tell is alive.
    ControllerSlot controller_;
};

} // namespace kob
