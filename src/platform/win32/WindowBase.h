#pragma once

#include <windows.h>

namespace kob {

// Base of every window class: registers the class once, keeps `this` in GWLP_USERDATA from WM_NCCREATE to
// WM_NCDESTROY and forwards messages to HandleMessage. No exception ever leaves the window procedure.
class WindowBase {
public:
    WindowBase() = default;
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    virtual ~WindowBase();

    HWND Handle() const { return hwnd_; }

protected:
    // Registers the class if needed and creates the window; throws std::runtime_error when it cannot.
    void Create(const WNDCLASSEXA& windowClass, DWORD exStyle, const char* title, DWORD style, int x, int y, int width,
                int height, HWND parent);
    void Destroy();

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    }

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

private:
    HWND hwnd_ = nullptr;
};

} // namespace kob
