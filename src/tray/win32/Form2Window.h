#pragma once

#include <windows.h>

#include "platform/win32/TimerSet.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WindowBase.h"
#include "tray/Form2.h"
#include "tray/Form2View.h"
#include "tray/win32/TrayIcon.h"

namespace kob {

// The companion's real window: a hidden tool window, never shown, that owns the tray icon and the mute monitor's
// timer and turns their messages into the logic's handlers.
class Form2Window : public WindowBase, public Form2View {
public:
    Form2Window(HINSTANCE instance, const Form2Services& services, MixerService& mixerDevice,
                Form1Factory& controllers);
    ~Form2Window() override;

    // Runs the start-up sequence; afterwards the program lives on the messages.
    void Start() { form_.Form_Initialize(); }
    Form2& Logic() { return form_; }

    // Form2View
    void InitCommonControls() override;
    [[nodiscard]] bool Create() override;
    void HideFromTaskList() override;
    void EnableMuteMonitor(bool enabled) override;
    void AddTrayIcon() override;
    void ShowTrayPicture(TrayPicture picture) override;
    void DiscardControllersLater() override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override;

private:
    HINSTANCE instance_;
    Form2 form_;
    TimerSet timers_;
    TrayIcon trayIcon_;
    // Loaded once; every tick of the mute monitor only hands one of them on.
    UniqueIcon normalIcon_;
    UniqueIcon mutedIcon_;
    const UINT taskbarCreated_;
};

} // namespace kob
