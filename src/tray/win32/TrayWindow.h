#pragma once

#include <windows.h>

#include <optional>

#include "about/win32/AboutWindow.h"
#include "about/win32/IeBrowser.h"
#include "platform/win32/SingleWindow.h"
#include "platform/win32/TimerSet.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WindowBase.h"
#include "settings/win32/OptionsWindow.h"
#include "tray/TrayApp.h"
#include "tray/TrayView.h"
#include "tray/win32/MciSoundDevice.h"
#include "tray/win32/TrayIcon.h"
#include "tray/win32/TrayIconWheel.h"

namespace kob {

// The real tray window: a hidden tool window, never shown, that owns the tray icon, its menu, the mute
// monitor's timer, the test sound's device and the About and Options windows, and turns their messages into the
// logic's handlers.
class TrayWindow : public WindowBase, public TrayView {
public:
    TrayWindow(HINSTANCE instance, const TrayAppServices& services, MasterVolume::DeviceChoice chooseVolumeDevice,
               const ControllerServices& controllerServices, ControllerWindowMaker makeControllerWindow);
    ~TrayWindow() override;

    // Runs the start-up sequence; afterwards the program lives on the messages.
    void Start() { app_.Start(); }
    // The program's message loop calls it after each message: see TrayApp::FreeHiddenControllers.
    void FreeHiddenControllers() { app_.FreeHiddenControllers(); }
    TrayApp& Logic() { return app_; }

    // TrayView
    [[nodiscard]] bool Create() override;
    void HideFromTaskList() override;
    void EnableMuteMonitor(bool enabled) override;
    void AddTrayIcon() override;
    void ShowTrayPicture(TrayPicture picture) override;
    void RemoveTrayIcon() override;
    void BringToForeground() override;
    MenuCommand ShowMenu(const KeepOnTopItem& keepOnTop) override;
    void ShowAbout(const std::string& deviceName) override;
    void ShowOptions() override;
    void OpenMaximized(const std::u16string& document) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override;

private:
    // A report of the tray icon: the mouse message it saw.
    void OnTrayIconReport(UINT mouseMessage);

    HINSTANCE instance_;
    TrayAppServices services_;
    // Before the logic, which plays through it.
    MciSoundDevice soundDevice_;
    TrayApp app_;
    TimerSet timers_;
    TrayIcon trayIcon_;
    // Made with the window, which hears the wheel turned over the icon.
    std::optional<TrayIconWheel> iconWheel_;
    // Loaded once; every tick of the mute monitor only hands one of them on.
    UniqueIcon normalIcon_;
    UniqueIcon mutedIcon_;
    UniqueMenu menu_;
    const UINT taskbarCreated_;
    IeBrowser browser_;
    // Last, so that they go before what they use.
    SingleWindow<AboutWindow> about_;
    SingleWindow<OptionsWindow> options_;
};

} // namespace kob
