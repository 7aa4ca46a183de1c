#include "controller/win32/WheelHook.h"

namespace kob {

WheelHook* WheelHook::active_ = nullptr;

WheelHook::WheelHook(HWND target)
    : target_(target), hook_(SetWindowsHookExA(WH_MOUSE_LL, &WheelHook::Procedure, GetModuleHandleA(nullptr), 0)) {
    active_ = this;
}

WheelHook::~WheelHook() {
    if (hook_) {
        UnhookWindowsHookEx(hook_);
    }
    if (active_ == this) {
        active_ = nullptr;
    }
}

LRESULT CALLBACK WheelHook::Procedure(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == WM_MOUSEWHEEL && active_ && GetForegroundWindow() != active_->target_) {
        const auto* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        const HWND under = WindowFromPoint(event->pt);
        const HWND target = active_->target_;
        if (under == target || IsChild(target, under)) {
            // The wheel belongs to the slider under the pointer, not to the window with the focus.
            PostMessageA(target, WM_MOUSEWHEEL, MAKEWPARAM(0, HIWORD(event->mouseData)),
                         MAKELPARAM(event->pt.x, event->pt.y));
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace kob
