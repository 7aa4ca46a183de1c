#pragma once

#include <windows.h>

#include "about/win32/Form3Window.h"
#include "about/win32/IeBrowser.h"
#include "platform/win32/SingleWindow.h"
#include "platform/win32/TimerSet.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WindowBase.h"
#include "settings/win32/Form4Window.h"
#include "tray/Form2.h"
#include "tray/Form2View.h"
#include "tray/win32/MciSoundDevice.h"
#include "tray/win32/TrayIcon.h"

namespace kob {

// The companion's real window: a hidden tool window, never shown, that owns the tray icon, its menu, the mute
// monitor's timer, the test sound's device and the About and Options windows, and turns their messages into the
// logic's handlers.
class Form2Window : public WindowBase, public Form2View {
public:
    Form2Window(HINSTANCE instance, const Form2Services& services, MixerService& mixerDevice,
                Form1Factory& controllers);
    ~Form2Window() override;

    // Runs the start-up sequence; afterwards the program lives on the messages.
    void Start() { form_.Form_Initialize(); }
    Form2& Logic() { return form_; }

    // Form2View
    [[nodiscard]] bool Create() override;
    void HideFromTaskList() override;
    void EnableMuteMonitor(bool enabled) override;
    void AddTrayIcon() override;
    void ShowTrayPicture(TrayPicture picture) override;
    void DiscardControllersLater() override;
    void RemoveTrayIcon() override;
    void BringToForeground() override;
    MenuCommand ShowMenu(const OnTopItem& ontop) override;
    void ShowAbout() override;
    void ShowOptions() override;
    void OpenMaximized(const std::u16string& document) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override;

private:
    HINSTANCE instance_;
    Form2Services services_;
    // Before the logic, which plays through it.
    MciSoundDevice MMC1_;
    Form2 form_;
    TimerSet timers_;
    TrayIcon trayIcon_;
    // Loaded once; every tick of the mute monitor only hands one of them on.
    UniqueIcon normalIcon_;
    UniqueIcon mutedIcon_;
    UniqueMenu menu_;
    const UINT taskbarCreated_;
    IeBrowser browser_;
    // Whether the log-on Run value was found the last time the Options window looked.
    std::int16_t RunEntryVal_ = 0;
    // Last, so that they go before what they use.
    SingleWindow<Form3Window> about_;
    SingleWindow<Form4Window> options_;
};

} // namespace kob
