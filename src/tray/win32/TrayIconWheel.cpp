#include "tray/win32/TrayIconWheel.h"

#include <utility>

namespace kob {

namespace {

// A watch ends this long after the pointer was last known over the icon.
constexpr DWORD kWatchMilliseconds = 1000;

// Classes of the top-level window under a pointer on the notification area: the shell's task bar, which holds it,
// and Wine's trays (its own window when the desktop has none, an icon's window docked in the desktop's).
constexpr const char* kNotificationAreaClasses[] = {"Shell_TrayWnd", "__winex11_standalone_tray",
                                                    "__winex11_tray_icon"};

bool OverNotificationArea(POINT at) {
    char name[64] = "";
    GetClassNameA(GetAncestor(WindowFromPoint(at), GA_ROOT), name, sizeof(name));
    for (const char* areaClass : kNotificationAreaClasses) {
        if (lstrcmpiA(name, areaClass) == 0) {
            return true;
        }
    }
    return false;
}

// The points that may lie on the same small icon as `at`: a shell that does not tell the icon's place reports the
// pointer only while it is over the icon, so the icon is a small-icon square holding every point it reported.
RECT Reach(POINT at) {
    const int width = GetSystemMetrics(SM_CXSMICON);
    const int height = GetSystemMetrics(SM_CYSMICON);
    return RECT{at.x - width + 1, at.y - height + 1, at.x + width, at.y + height};
}

} // namespace

TrayIconWheel::TrayIconWheel(HWND window, UINT wheelMessage, IconPlace iconPlace, HookCalls calls)
    : iconPlace_(std::move(iconPlace)), hook_(WheelTarget{window, wheelMessage, kWatchMilliseconds, false}, calls) {}

void TrayIconWheel::OnPointerOverIcon(POINT at) {
    if (const std::optional<RECT> told = iconPlace_()) {
        if (PtInRect(&*told, at)) {
            hook_.Watch(*told);
        }
    } else if (OverNotificationArea(at)) {
        hook_.Watch(Reach(at));
    }
}

} // namespace kob
