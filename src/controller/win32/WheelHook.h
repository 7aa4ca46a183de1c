#pragma once

#include <windows.h>

namespace kob {

// Brings the mouse wheel to the controller when it is under the pointer without having the focus, as users expect
// of a pop-up slider (newer systems do this by themselves). A low-level mouse hook is the only way there, and its
// procedure gets no context of its own: one hook, for the one controller shown, lives while that controller does.
class WheelHook {
public:
    explicit WheelHook(HWND target);
    WheelHook(const WheelHook&) = delete;
    WheelHook& operator=(const WheelHook&) = delete;
    ~WheelHook();

private:
    static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam);
    static WheelHook* active_;

    HWND target_;
    HHOOK hook_;
};

} // namespace kob
