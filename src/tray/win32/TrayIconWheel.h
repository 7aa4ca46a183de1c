#pragma once

#include <windows.h>

#include <functional>
#include <optional>

namespace kob {

// The system's functions that install and remove a hook; tests count them.
struct HookCalls {
    HHOOK(WINAPI* install)(int, HOOKPROC, HINSTANCE, DWORD) = &SetWindowsHookExA;
    BOOL(WINAPI* remove)(HHOOK) = &UnhookWindowsHookEx;
};

// Brings the mouse wheel turned over the tray icon to the tray window: the shell tells an icon of the pointer's
// moves and clicks but not of the wheel, which goes to whatever window has the focus. Only a low-level mouse hook
// sees it there, and no hook watches the whole system while the pointer is elsewhere: the icon's report of the
// pointer installs it, and it goes once the pointer has left the icon's place, and in any case one second after
// the pointer was last known over the icon (the icon's last report, or the last turn over it).
class TrayIconWheel {
public:
    // The icon's place on the screen, when the shell tells it.
    using IconPlace = std::function<std::optional<RECT>()>;

    // A turn over the icon is posted to `window` as `wheelMessage`, with the WM_MOUSEWHEEL's wParam and lParam.
    TrayIconWheel(HWND window, UINT wheelMessage, IconPlace iconPlace, HookCalls calls = {});
    TrayIconWheel(const TrayIconWheel&) = delete;
    TrayIconWheel& operator=(const TrayIconWheel&) = delete;
    ~TrayIconWheel() { Stop(); }

    // The icon reports the pointer over it, here (screen coordinates).
    void OnPointerOverIcon(POINT at);
    // Removes the hook, if there is one.
    void Stop();

private:
    static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK Expire(HWND, UINT, UINT_PTR, DWORD);
    // Ends the watch at the next timer message: the hook is not removed from inside its own procedure.
    void StopSoon();
    // The pointer is over the icon: the watch goes on for a second more.
    void KeepWatching();
    // Ends the watch at the timer's message this many milliseconds from now.
    void Arm(UINT milliseconds);

    // The one watch there is; the hook's procedure has no context of its own.
    static TrayIconWheel* active_;

    HWND window_;
    UINT wheelMessage_;
    IconPlace iconPlace_;
    HookCalls calls_;
    HHOOK hook_ = nullptr;
    UINT_PTR timer_ = 0;
    // Where the icon is, or may be: the pointer outside it has left the icon.
    RECT place_{};
    // The shell told the place: the icon's reports do not narrow it.
    bool placeTold_ = false;
    // The pointer was seen outside the place; the watch ends at the next timer message unless the icon reports again.
    bool leaving_ = false;
};

} // namespace kob
