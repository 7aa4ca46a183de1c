#include "controller/win32/ControllerAlone.h"

#include <commctrl.h>

#include "controller/Form1Slot.h"
#include "controller/win32/Form1Window.h"
#include "mixer/win32/Win32Mixer.h"
#include "platform/win32/Win32MessageBox.h"
#include "platform/win32/Win32Process.h"
#include "platform/win32/Win32Screen.h"

namespace kob {

namespace {

// Hears the controller's load and unload; the program ends when the controller is gone.
class AloneHost : public Form1Host {
public:
    void SetForm1Signal(bool loaded) override {
        txtform1signal_ = loaded;
        if (!loaded) {
            PostQuitMessage(0);
        }
    }

private:
    bool txtform1signal_ = false;
};

} // namespace

int RunControllerAlone(HINSTANCE instance, const std::function<void(Form1&, Mixer&)>& shown) {
    InitCommonControls();
    Win32Mixer device;
    Win32MessageBox messages;
    Win32Process process;
    Win32Screen screen;
    Mixer mixer(device, messages, process);
    AloneHost host;
    Form1WindowFactory factory(instance, mixer, screen, messages);
    Form1Slot controller(factory, host);

    controller.ShowAfresh();
    Form1* form = controller.Loaded();
    if (!form) {
        return 1;
    }
    if (shown) {
        shown(*form, mixer);
    }
    controller.BringLoadedToForeground();

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
