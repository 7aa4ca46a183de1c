#include "platform/win32/WindowBase.h"

#include <utility>

namespace kob {

namespace {

// Process-wide by nature, like the ending it stands for: once set it is never cleared.
bool handlersStopped = false;

// The object whose window this thread is creating right now. Its WM_NCCREATE binds the window to it; any other
// WM_NCCREATE (one another program sends, with whatever pointer it likes) binds nothing.
thread_local WindowBase* objectBeingCreated = nullptr;

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
        DestroyWindow(window);
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
    WindowBase* const outer = std::exchange(objectBeingCreated, this);
    const HWND created = CreateWindowExA(plan.exStyle, plan.className, plan.title, plan.style, plan.x, plan.y,
                                         plan.width, plan.height, plan.parent, nullptr, plan.instance, nullptr);
    objectBeingCreated = outer;
    return created != nullptr;
}

void WindowBase::Destroy() {
    if (hwnd_) {
        DestroyWindow(hwnd_);
    }
}

LRESULT CALLBACK WindowBase::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        // Only the creation this thread is making binds, and only a window that has no object yet.
        if (self || !objectBeingCreated) {
            return DefWindowProcA(hwnd, message, wParam, lParam);
        }
        self = std::exchange(objectBeingCreated, nullptr);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
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
