#include "preview/ControllerPreview.h"

#include <commctrl.h>

#include "common/ProgramContext.h"
#include "controller/win32/Form1Window.h"
#include "platform/win32/Win32Platform.h"
#include "preview/PreviewReporter.h"

namespace kob {

int RunControllerPreview(HINSTANCE instance, std::optional<int> level) {
    InitCommonControls();
    ProgramContext context;
    context.OwnProcessId = GetCurrentProcessId();
    Win32Platform platform;

    Form1Window controller(instance, platform.services, context);
    controller.OnDestroyed([] { PostQuitMessage(0); });
    controller.Load();
    if (level) {
        controller.Logic().setVolume(*level);
        controller.Logic().GetVolume();
    }
    PreviewReporter reporter(instance, platform.mixer, context, controller.Logic());
    SetForegroundWindow(controller.Handle());

    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
            controller.Unload();
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace kob
