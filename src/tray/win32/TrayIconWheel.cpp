#include "tray/win32/TrayIconWheel.h"

#include <utility>

namespace kob {

namespace {

// A watch ends this long after the pointer was last known over the icon.
constexpr UINT kWatchMilliseconds = 1000;

// The points that may lie on the same small icon as `at`: a shell that does not tell the icon's place reports the
// pointer only while it is over the icon, so the icon is a small-icon square holding every point it reported.
RECT Reach(POINT at) {
    const int width = GetSystemMetrics(SM_CXSMICON);
    const int height = GetSystemMetrics(SM_CYSMICON);
    return RECT{at.x - width + 1, at.y - height + 1, at.x + width, at.y + height};
}

} // namespace

TrayIconWheel* TrayIconWheel::active_ = nullptr;

TrayIconWheel::TrayIconWheel(HWND window, UINT wheelMessage, IconPlace iconPlace, HookCalls calls)
    : window_(window), wheelMessage_(wheelMessage), iconPlace_(std::move(iconPlace)), calls_(calls) {}

void TrayIconWheel::OnPointerOverIcon(POINT at) {
    const RECT reach = Reach(at);
    if (!hook_) {
        // Asked before the hook is there: every mouse event of the system waits for the hook's thread.
        const std::optional<RECT> told = iconPlace_();
        hook_ = calls_.install(WH_MOUSE_LL, &TrayIconWheel::Procedure, GetModuleHandleA(nullptr), 0);
        if (!hook_) {
            // A system that refuses the hook keeps the wheel to itself; the next report asks again.
            return;
        }
        active_ = this;
        placeTold_ = told && PtInRect(&*told, at);
        place_ = placeTold_ ? *told : reach;
    } else if (!placeTold_) {
        // Each report narrows where the icon may be; one outside it means the icon is elsewhere now.
        if (PtInRect(&place_, at)) {
            IntersectRect(&place_, &place_, &reach);
        } else {
            place_ = reach;
        }
    }
    KeepWatching();
}

void TrayIconWheel::KeepWatching() {
    leaving_ = false;
    Arm(kWatchMilliseconds);
}

void TrayIconWheel::Stop() {
    if (timer_) {
        KillTimer(nullptr, timer_);
        timer_ = 0;
    }
    if (hook_) {
        calls_.remove(hook_);
        hook_ = nullptr;
    }
    if (active_ == this) {
        active_ = nullptr;
    }
    leaving_ = false;
}

void TrayIconWheel::StopSoon() {
    // Only once: the pointer moving on outside must not put the end off again and again.
    if (!leaving_) {
        leaving_ = true;
        Arm(0);
    }
}

void TrayIconWheel::Arm(UINT milliseconds) {
    timer_ = SetTimer(nullptr, timer_, milliseconds, &TrayIconWheel::Expire);
    if (!timer_) {
        // Without its timer the hook could stay for ever.
        Stop();
    }
}

void CALLBACK TrayIconWheel::Expire(HWND, UINT, UINT_PTR id, DWORD) {
    if (active_ && active_->timer_ == id) {
        active_->Stop();
    }
}

LRESULT CALLBACK TrayIconWheel::Procedure(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && active_) {
        const auto* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        // The pointer in the program's own coordinates, as the icon's place and its reports are: the event's point
        // is in physical pixels, which differ from them where the system scales the program for a high DPI. A move
        // is seen before the pointer takes it, so a pointer that left is noticed at its next move.
        POINT pointer{};
        GetCursorPos(&pointer);
        if (!PtInRect(&active_->place_, pointer)) {
            active_->StopSoon();
        } else if (wParam == WM_MOUSEWHEEL) {
            // The turn is the icon's: it goes to the tray window and nowhere else. A pointer resting on the icon
            // moves no more, so the icon reports nothing while the user turns: the turn itself shows the pointer is
            // still there.
            active_->KeepWatching();
            PostMessageA(active_->window_, active_->wheelMessage_, MAKEWPARAM(0, HIWORD(event->mouseData)),
                         MAKELPARAM(pointer.x, pointer.y));
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace kob
