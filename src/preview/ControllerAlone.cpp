#include "preview/ControllerAlone.h"

#include <commctrl.h>

#include "controller/Form1Slot.h"
#include "controller/win32/Form1Window.h"
#include "mixer/win32/Win32Mixer.h"
#include "platform/SystemChecks.h"
#include "platform/win32/Win32MessageBox.h"
#include "platform/win32/Win32Process.h"
#include "platform/win32/Win32ProgramLauncher.h"
#include "platform/win32/Win32Screen.h"
#include "platform/win32/Win32SystemInfo.h"
#include "settings/win32/Win32Registry.h"

namespace kob {

namespace {

// Hears the controller's load and unload; the preview ends when the controller is gone.
class AloneHost : public Form1Host {
public:
    void SetForm1Signal(bool loaded) override {
        if (!loaded) {
            PostQuitMessage(0);
        }
    }
};

} // namespace

int RunControllerAlone(HINSTANCE instance, const std::function<void(Form1&, Mixer&)>& shown) {
    InitCommonControls();
    Win32Mixer device;
    Win32MessageBox messages;
    Win32Process process;
    Win32Screen screen;
    Win32Registry registry;
    Win32ProgramLauncher launcher;
    Win32SystemInfo systemInfo;
    StartupFacts facts;
    GetSystemDir(systemInfo, facts.SystemDir);
    Mixer mixer(device, messages, process);
    AloneHost host;
    Form1WindowFactory factory(instance, {screen, messages, registry, launcher});
    Form1Slot controller(factory, host, mixer, facts);

    Form1& form = controller.ShowAfresh();
    if (!controller.Loaded()) {
        return 1;
    }
    if (shown) {
        shown(form, mixer);
    }
    controller.BringLoadedToForeground();
    form.StartVolumeSync();

    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
            controller.Unload();
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    controller.DiscardFinished();
    return static_cast<int>(message.wParam);
}

} // namespace kob
