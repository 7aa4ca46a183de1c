#include "ControllerAlone.h"

#include <commctrl.h>

#include "controller/ControllerSlot.h"
#include "controller/win32/ControllerWindow.h"
#include "platform/ExitCode.h"
#include "platform/Notice.h"
#include "platform/win32/Win32MessageBox.h"
#include "platform/win32/Win32ModulePath.h"
#include "platform/win32/Win32Process.h"
#include "platform/win32/Win32ProgramLauncher.h"
#include "platform/win32/Win32Screen.h"
#include "platform/win32/Win32SystemInfo.h"
#include "settings/win32/Win32Registry.h"
#include "volume/win32/WinmmVolume.h"

namespace kob {

int RunControllerAlone(HINSTANCE instance,
                       const std::function<std::optional<VolumeFailure>(Controller&, VolumeDevice&)>& shown) {
    InitCommonControls();
    WinmmVolume device;
    Win32MessageBox messages;
    Win32Process process;
    Win32Screen screen;
    Win32Registry registry;
    Win32ProgramLauncher launcher;
    Win32SystemInfo systemInfo;
    Win32ModulePath modulePath;
    Settings settings(registry, modulePath);
    StartupFacts facts;
    facts.systemFolder = systemInfo.ReadSystemFolder().value_or("");
    MasterVolume volume(device);
    // The preview ends when the controller is gone, and as the program does when the master volume fails.
    const Reporter report = [&](const Notice& notice) { Report(messages, process, notice); };
    ControllerSlot slot(
        NewControllerWindows(instance, screen), {screen, settings, launcher}, volume, facts, [] { PostQuitMessage(0); },
        report);

    const VolumeResult<Controller*> loaded = slot.Show();
    if (!loaded.Failure() && !slot.Loaded()) {
        return static_cast<int>(ExitCode::NoControllerWindow);
    }
    if (const auto failure = loaded.Failure() ? loaded.Failure() : shown(*loaded.Value(), device)) {
        const Notice ending = EndingOf(*failure);
        report(ending);
        return static_cast<int>(ending.exitCode.value_or(0));
    }
    Controller& controller = *loaded.Value();
    slot.BringLoadedToForeground();
    controller.StartVolumeSync();

    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
            slot.Hide();
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
        slot.FreeHidden();
    }
    slot.FreeHidden();
    return static_cast<int>(message.wParam);
}

} // namespace kob
