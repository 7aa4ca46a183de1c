#pragma once

#include <windows.h>

namespace kob {

// The system's functions that install and remove a hook; tests count them.
struct HookCalls {
    HHOOK(WINAPI* install)(int, HOOKPROC, HINSTANCE, DWORD) = &SetWindowsHookExA;
    BOOL(WINAPI* remove)(HHOOK) = &UnhookWindowsHookEx;
};

// Where a hook brings the wheel, and how long it stays.
struct WheelTarget {
    // A turn over the place is posted to `window` as `message`, with WM_MOUSEWHEEL's wParam and the pointer in lParam.
    HWND window = nullptr;
    UINT message = WM_MOUSEWHEEL;
    // The hook goes this long after the pointer was last known on the place (Watch, or a turn there); 0: only when
    // the pointer leaves the place.
    DWORD idleMilliseconds = 0;
    // A turn is the window's only where the window under the pointer is it or its child, and only while it is not
    // in front (then the wheel reaches it without help).
    bool onlyOverWindow = false;
};

// Brings the mouse wheel turned over a place on the screen to a window that does not have the focus: only a
// low-level mouse hook sees the wheel there. Every mouse event of the desktop waits for the thread that installed
// such a hook, so the hook is installed and answered on a thread of its own that does nothing but compare the
// pointer with the place and post to the window, and it exists only while the pointer is on the place: it goes
// within a quarter second of the pointer leaving it. A hook the system removed (one that missed the system's time
// limit) is noticed at the next Watch that finds it silent, and installed again.
class WheelHook {
public:
    explicit WheelHook(const WheelTarget& target, HookCalls calls = {});
    WheelHook(const WheelHook&) = delete;
    WheelHook& operator=(const WheelHook&) = delete;
    ~WheelHook();

    // The pointer is on `place` (screen coordinates): the hook is installed if the pointer really is there when the
    // hook's thread looks, and the watch goes on. While a watch goes on, the place narrows to where the two places
    // overlap, if the pointer is there.
    void Watch(const RECT& place);
    // Removes the hook, if there is one.
    void Stop();

private:
    // The hook's thread comes at the first watch: a program whose pointer never rests on the place pays nothing
    // for it (a thread's stack and queue are a good part of its private memory under Wine).
    bool StartThread();
    static DWORD WINAPI Run(void* self);

    WheelTarget target_;
    HookCalls calls_;
    HANDLE ready_ = nullptr;
    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
};

} // namespace kob
