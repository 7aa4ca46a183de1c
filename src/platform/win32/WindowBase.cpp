#include "platform/win32/WindowBase.h"

#include <utility>

namespace kob {

WindowSpec FixedToolWindow(HINSTANCE instance, const char* className, const char* title, int clientWidth,
                           int clientHeight, int x, int y) {
    WindowSpec spec;
    spec.instance = instance;
    spec.className = className;
    spec.title = title;
    spec.cursor = LoadCursor(nullptr, IDC_ARROW);
    spec.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    spec.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    spec.exStyle = WS_EX_TOOLWINDOW;
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, spec.style, FALSE, spec.exStyle);
    spec.x = x;
    spec.y = y;
    spec.width = frame.right - frame.left;
    spec.height = frame.bottom - frame.top;
    return spec;
}

WindowSpec CentredToolWindow(HINSTANCE instance, const char* className, const char* title, int clientWidth,
                             int clientHeight) {
    WindowSpec spec = FixedToolWindow(instance, className, title, clientWidth, clientHeight, 0, 0);
    spec.x = (GetSystemMetrics(SM_CXSCREEN) - spec.width) / 2;
    spec.y = (GetSystemMetrics(SM_CYSCREEN) - spec.height) / 2;
    return spec;
}

WindowBase::~WindowBase() {
    if (hwnd_) {
        // The derived part is gone: its handlers must not hear the window's last messages.
        const HWND window = std::exchange(hwnd_, nullptr);
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
}

bool WindowBase::Create(const WindowSpec& spec) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (!GetClassInfoExA(spec.instance, spec.className, &existing)) {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = spec.classStyle;
        windowClass.lpfnWndProc = &WindowBase::WindowProc;
        windowClass.hInstance = spec.instance;
        windowClass.hCursor = spec.cursor;
        windowClass.hIcon = spec.icon;
        windowClass.hbrBackground = spec.background;
        windowClass.lpszClassName = spec.className;
        if (!RegisterClassExA(&windowClass)) {
            return false;
        }
    }
    // WM_NCCREATE stores the handle; a creation refused later has already been detached again.
    return CreateWindowExA(spec.exStyle, spec.className, spec.title, spec.style, spec.x, spec.y, spec.width,
                           spec.height, spec.parent, nullptr, spec.instance, this) != nullptr;
}

void WindowBase::Destroy() {
    if (hwnd_) {
        DestroyWindow(hwnd_);
    }
}

LRESULT CALLBACK WindowBase::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    WindowBase* self = nullptr;
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        self = static_cast<WindowBase*>(create->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<WindowBase*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!self) {
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
