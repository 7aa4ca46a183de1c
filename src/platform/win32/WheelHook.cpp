#include "platform/win32/WheelHook.h"

namespace kob {

namespace {

// Messages of the hook's thread.
constexpr UINT kWatch = WM_APP + 1;
constexpr UINT kStop = WM_APP + 2;
// How often the hook's thread looks whether the pointer is still on the place.
constexpr UINT kCheckMilliseconds = 250;
// A hook hears every move: one that heard nothing for this long while the pointer came onto the place was removed.
constexpr DWORD kSilenceMilliseconds = 1000;

// Each hook's thread finds its watch here: a hook's procedure has no context of its own.
const DWORD watchSlot = TlsAlloc();

// A place travels in a thread message's two parameters: screen coordinates stay within 16 signed bits.
DWORD Pack(LONG low, LONG high) {
    return MAKELONG(static_cast<SHORT>(low), static_cast<SHORT>(high));
}
LONG Low(DWORD packed) {
    return static_cast<SHORT>(LOWORD(packed));
}
LONG High(DWORD packed) {
    return static_cast<SHORT>(HIWORD(packed));
}

// The hook and its place, touched only by the hook's thread.
class PlaceWatch {
public:
    PlaceWatch(const WheelTarget& target, const HookCalls& calls) : target_(target), calls_(calls) {}

    void Begin(const RECT& place) {
        POINT pointer{};
        GetCursorPos(&pointer);
        if (!PtInRect(&place, pointer)) {
            // The pointer has moved on, or the sign was not true: nothing starts.
            return;
        }
        const DWORD now = GetTickCount();
        if (hook_ && now - lastHeard_ > kSilenceMilliseconds) {
            // The pointer came here without one event through the hook: the system has removed it.
            Stop();
        }
        if (!hook_) {
            hook_ = calls_.install(WH_MOUSE_LL, &Procedure, GetModuleHandleA(nullptr), 0);
            if (!hook_) {
                // A system that refuses the hook keeps the wheel to itself; the next sign asks again.
                return;
            }
            lastHeard_ = now;
            place_ = place;
            timer_ = SetTimer(nullptr, 0, kCheckMilliseconds, nullptr);
            if (!timer_) {
                // Without its check the hook could stay for ever.
                Stop();
                return;
            }
        } else {
            RECT both{};
            place_ = IntersectRect(&both, &place_, &place) && PtInRect(&both, pointer) ? both : place;
        }
        lastSeen_ = now;
    }

    void Check() {
        POINT pointer{};
        GetCursorPos(&pointer);
        const bool idle = target_.idleMilliseconds && GetTickCount() - lastSeen_ >= target_.idleMilliseconds;
        if (idle || !PtInRect(&place_, pointer)) {
            Stop();
        }
    }

    void Stop() {
        if (timer_) {
            KillTimer(nullptr, timer_);
            timer_ = 0;
        }
        if (hook_) {
            calls_.remove(hook_);
            hook_ = nullptr;
        }
    }

private:
    static LRESULT CALLBACK Procedure(int code, WPARAM message, LPARAM event) {
        auto* watch = static_cast<PlaceWatch*>(TlsGetValue(watchSlot));
        if (code == HC_ACTION && watch && watch->TakeMouse(message, *reinterpret_cast<MSLLHOOKSTRUCT*>(event))) {
            return 1;
        }
        return CallNextHookEx(nullptr, code, message, event);
    }

    // True when the event is a turn over the place, posted to the window and kept from everyone else.
    bool TakeMouse(WPARAM message, const MSLLHOOKSTRUCT& event) {
        lastHeard_ = GetTickCount();
        if (message != WM_MOUSEWHEEL) {
            return false;
        }
        // The pointer in the program's own coordinates, as the place is: the event's point is in physical pixels,
        // which differ from them where the system scales the program for a high DPI.
        POINT pointer{};
        GetCursorPos(&pointer);
        if (!PtInRect(&place_, pointer) || (target_.onlyOverWindow && !OverWindowBehind(pointer))) {
            return false;
        }
        // A pointer resting on the place reports nothing more: the turn itself shows it is still there.
        lastSeen_ = lastHeard_;
        PostMessageA(target_.window, target_.message, MAKEWPARAM(0, HIWORD(event.mouseData)),
                     MAKELPARAM(pointer.x, pointer.y));
        return true;
    }

    bool OverWindowBehind(POINT pointer) const {
        const HWND under = WindowFromPoint(pointer);
        return GetForegroundWindow() != target_.window && (under == target_.window || IsChild(target_.window, under));
    }

    WheelTarget target_;
    HookCalls calls_;
    HHOOK hook_ = nullptr;
    UINT_PTR timer_ = 0;
    RECT place_{};
    // When the hook last heard any mouse event, and when the pointer was last known on the place.
    DWORD lastHeard_ = 0;
    DWORD lastSeen_ = 0;
};

} // namespace

WheelHook::WheelHook(const WheelTarget& target, HookCalls calls) : target_(target), calls_(calls) {}

bool WheelHook::StartThread() {
    if (thread_) {
        return true;
    }
    if (watchSlot == TLS_OUT_OF_INDEXES) {
        return false;
    }
    if (!ready_) {
        ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        if (!ready_) {
            return false;
        }
    }
    thread_ = CreateThread(nullptr, 0, &WheelHook::Run, this, 0, &threadId_);
    if (thread_) {
        // Messages posted to a thread before it has a queue are lost.
        WaitForSingleObject(ready_, INFINITE);
    }
    return thread_ != nullptr;
}

WheelHook::~WheelHook() {
    if (thread_) {
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
    }
    if (ready_) {
        CloseHandle(ready_);
    }
}

void WheelHook::Watch(const RECT& place) {
    if (StartThread()) {
        PostThreadMessageA(threadId_, kWatch, Pack(place.left, place.top), Pack(place.right, place.bottom));
    }
}

void WheelHook::Stop() {
    if (thread_) {
        PostThreadMessageA(threadId_, kStop, 0, 0);
    }
}

DWORD WINAPI WheelHook::Run(void* self) {
    auto* owner = static_cast<WheelHook*>(self);
    PlaceWatch watch(owner->target_, owner->calls_);
    TlsSetValue(watchSlot, &watch);
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    SetEvent(owner->ready_);
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        switch (message.message) {
        case kWatch:
            watch.Begin(RECT{Low(static_cast<DWORD>(message.wParam)), High(static_cast<DWORD>(message.wParam)),
                             Low(static_cast<DWORD>(message.lParam)), High(static_cast<DWORD>(message.lParam))});
            break;
        case kStop:
            watch.Stop();
            break;
        case WM_TIMER:
            watch.Check();
            break;
        default:
            break;
        }
    }
    watch.Stop();
    TlsSetValue(watchSlot, nullptr);
    return 0;
}

} // namespace kob
