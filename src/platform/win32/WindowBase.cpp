#include "platform/win32/WindowBase.h"

#include <utility>

namespace kob {

namespace {

// Process-wide by nature, like the ending it stands for: once set it is never cleared.
bool handlersStopped = false;

// Whether the message being handled was sent by another thread, and how; replied or not makes no difference.
DWORD SenderOfMessage() {
    return InSendMessageEx(nullptr) & ~static_cast<DWORD>(ISMEX_REPLIED);
}

// A window's creation or destruction that this thread is carrying out now, with the sender of the message it was
// handling when it began. Every real creation and destruction message comes from inside one, on the same terms;
// one that another thread sends or that anyone posts comes from outside, or from a sender of its own.
struct LifetimeCall {
    WindowBase* created = nullptr; // its WM_NCCREATE binds the window to it
    HWND destroyed = nullptr;      // its child windows go with it
    DWORD sender = 0;
};
thread_local LifetimeCall lifetimeCall;

bool IsLifetimeMessage(UINT message) {
    return message == WM_NCCREATE || message == WM_CREATE || message == WM_DESTROY || message == WM_NCDESTROY;
}

// The object may be freed by the window's final message: nothing of it is touched here.
void DestroyOwnWindow(HWND window) {
    const LifetimeCall outer = std::exchange(lifetimeCall, {nullptr, window, SenderOfMessage()});
    DestroyWindow(window);
    lifetimeCall = outer;
}

} // namespace

void WindowBase::StopAllHandlers() {
    handlersStopped = true;
}

WindowPlan FixedToolWindow(HINSTANCE instance, const char* className, const char* title, int clientWidth,
                           int clientHeight, int x, int y) {
    WindowPlan plan;
    plan.instance = instance;
    plan.className = className;
    plan.title = title;
    plan.cursor = LoadCursor(nullptr, IDC_ARROW);
    plan.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    plan.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    plan.exStyle = WS_EX_TOOLWINDOW;
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, plan.style, FALSE, plan.exStyle);
    plan.x = x;
    plan.y = y;
    plan.width = frame.right - frame.left;
    plan.height = frame.bottom - frame.top;
    return plan;
}

WindowPlan CentredToolWindow(HINSTANCE instance, const char* className, const char* title, int clientWidth,
                             int clientHeight) {
    WindowPlan plan = FixedToolWindow(instance, className, title, clientWidth, clientHeight, 0, 0);
    plan.x = (GetSystemMetrics(SM_CXSCREEN) - plan.width) / 2;
    plan.y = (GetSystemMetrics(SM_CYSCREEN) - plan.height) / 2;
    return plan;
}

WindowBase::~WindowBase() {
    if (hwnd_) {
        // The derived part is gone: its handlers must not hear the window's last messages.
        const HWND window = std::exchange(hwnd_, nullptr);
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        DestroyOwnWindow(window);
    }
}

bool WindowBase::Create(const WindowPlan& plan) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (!GetClassInfoExA(plan.instance, plan.className, &existing)) {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = plan.classStyle;
        windowClass.lpfnWndProc = &WindowBase::WindowProc;
        windowClass.hInstance = plan.instance;
        windowClass.hCursor = plan.cursor;
        windowClass.hIcon = plan.icon;
        windowClass.hbrBackground = plan.background;
        windowClass.lpszClassName = plan.className;
        if (!RegisterClassExA(&windowClass)) {
            return false;
        }
    }
    // WM_NCCREATE stores the handle; a creation refused later has already been detached again. A window another
    // of ours creates meanwhile (from a hook, say) binds to its own object and gives this one back afterwards.
    const LifetimeCall outer = std::exchange(lifetimeCall, {this, nullptr, SenderOfMessage()});
    const HWND created = CreateWindowExA(plan.exStyle, plan.className, plan.title, plan.style, plan.x, plan.y,
                                         plan.width, plan.height, plan.parent, nullptr, plan.instance, nullptr);
    lifetimeCall = outer;
    return created != nullptr;
}

void WindowBase::Destroy() {
    if (hwnd_) {
        DestroyOwnWindow(hwnd_);
    }
}

LRESULT WindowBase::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        // The default closing is DestroyWindow: made here, it is the window's own destruction.
        Destroy();
        return 0;
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

bool WindowBase::IsOwnLifetimeMessage(HWND hwnd, UINT message) {
    if (SenderOfMessage() != lifetimeCall.sender) {
        return false;
    }
    if (lifetimeCall.created == this) {
        // Its creation, or the destruction of a creation refused.
        return true;
    }
    if (message == WM_DESTROY && lifetimeCall.destroyed &&
        (hwnd == lifetimeCall.destroyed || IsChild(lifetimeCall.destroyed, hwnd))) {
        // Remembered for WM_NCDESTROY, when a child window may already be cut from the window it goes with.
        destroying_ = true;
    }
    return (message == WM_DESTROY || message == WM_NCDESTROY) && destroying_ && lifetimeCall.destroyed;
}

LRESULT CALLBACK WindowBase::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE && !self && lifetimeCall.created && !lifetimeCall.created->hwnd_ &&
        SenderOfMessage() == lifetimeCall.sender) {
        // Only the creation this thread is making binds, and only a window that has no object yet.
        self = lifetimeCall.created;
        self->hwnd_ = hwnd;
        self->destroying_ = false;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    if (IsLifetimeMessage(message) && !self->IsOwnLifetimeMessage(hwnd, message)) {
        // Sent or posted by someone else: the window lives on as it was, and not even the default handling (which
        // would take its title) runs.
        return 0;
    }
    if (handlersStopped && message != WM_NCDESTROY) {
        if (message == WM_TIMER) {
            KillTimer(hwnd, wParam);
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    LRESULT result = 0;
    try {
        result = self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        // An error escaping a handler must not unwind through the system's message dispatch.
        result = DefWindowProcA(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->OnFinalMessage(); // may free the object: nothing touches it after this
    }
    return result;
}

} // namespace kob
