#include "platform/win32/WindowBase.h"

#include <stdexcept>
#include <string>

namespace kob {

WindowBase::~WindowBase() {
    Destroy();
}

void WindowBase::Create(const WNDCLASSEXA& windowClass, DWORD exStyle, const char* title, DWORD style, int x, int y,
                        int width, int height, HWND parent) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (!GetClassInfoExA(windowClass.hInstance, windowClass.lpszClassName, &existing)) {
        WNDCLASSEXA registered = windowClass;
        registered.cbSize = sizeof(registered);
        registered.lpfnWndProc = &WindowBase::WindowProc;
        if (!RegisterClassExA(&registered)) {
            throw std::runtime_error(std::string("Unable to register the window class ") + windowClass.lpszClassName);
        }
    }
    hwnd_ = CreateWindowExA(exStyle, windowClass.lpszClassName, title, style, x, y, width, height, parent, nullptr,
                            windowClass.hInstance, this);
    if (!hwnd_) {
        throw std::runtime_error(std::string("Unable to create the window ") + windowClass.lpszClassName);
    }
}

void WindowBase::Destroy() {
    if (hwnd_) {
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
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
    }
    return result;
}

} // namespace kob
