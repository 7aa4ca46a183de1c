#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "platform/win32/WheelHook.h"

namespace kob {

// Brings the mouse wheel turned over the tray icon to the tray window: the shell tells an icon of the pointer's
// moves and clicks but not of the wheel, which goes to whatever window has the focus. The icon's report of the
// pointer starts the wheel's hook only when the pointer really is on the icon: inside the place the shell tells,
// or, where it tells none, over the notification area's own window. The hook goes once the pointer has left the
// icon's place, and in any case one second after the pointer was last known over the icon (the icon's last report,
// or the last turn over it). Any program can post the icon's report, so a report alone proves nothing.
class TrayIconWheel {
public:
    // The icon's place on the screen, when the shell tells it.
    using IconPlace = std::function<std::optional<RECT>()>;

    // A turn over the icon is posted to `window` as `wheelMessage`, with the WM_MOUSEWHEEL's wParam and lParam.
    TrayIconWheel(HWND window, UINT wheelMessage, IconPlace iconPlace, HookCalls calls = {});

    // The icon reports the pointer over it; the pointer is here (screen coordinates).
    void OnPointerOverIcon(POINT at);
    // Removes the hook, if there is one.
    void Stop() { hook_.Stop(); }

private:
    IconPlace iconPlace_;
    WheelHook hook_;
};

} // namespace kob
