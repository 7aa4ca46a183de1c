#pragma once

#include <windows.h>

namespace kob {

// How a window is created: its class (registered on first use) and the window itself.
struct WindowPlan {
    HINSTANCE instance = nullptr;
    const char* className = nullptr;
    UINT classStyle = 0;
    HCURSOR cursor = nullptr;
    HICON icon = nullptr;
    // The class background; nullptr leaves all painting to the window.
    HBRUSH background = nullptr;
    DWORD exStyle = 0;
    const char* title = "";
    DWORD style = WS_POPUP;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    HWND parent = nullptr;
};

// A fixed tool window (a thin caption with only its close box, no task-bar button) whose client area has this
// size, at (x, y) on the screen.
WindowPlan FixedToolWindow(HINSTANCE instance, const char* className, const char* title, int clientWidth,
                           int clientHeight, int x, int y);
// The same, centred on the screen.
WindowPlan CentredToolWindow(HINSTANCE instance, const char* className, const char* title, int clientWidth,
                             int clientHeight);

// Base of every window class: keeps `this` in GWLP_USERDATA from WM_NCCREATE to WM_NCDESTROY and forwards
// messages to HandleMessage. No exception ever leaves the window procedure. Creation and destruction messages
// (WM_NCCREATE, WM_CREATE, WM_DESTROY, WM_NCDESTROY) count only from the window's own creation by Create and its
// own destruction by Destroy (or a WM_CLOSE left to Default, or its parent's destruction) on this thread: any
// program may send or post them to any window, and those change nothing, not even a binding (the message carries
// no pointer the base uses). A window is therefore never destroyed with DestroyWindow directly.
//
// Lifetime: a derived window takes its window down in its own destructor (Destroy), while its handlers still
// exist. Should one forget, the base destructor detaches the object first, so the window's last messages go to
// the default procedure instead of a half-destroyed object. At WM_NCDESTROY the object is detached before
// OnFinalMessage, the last call it gets; the base touches nothing of it afterwards.
class WindowBase {
public:
    WindowBase() = default;
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    virtual ~WindowBase();

    HWND Handle() const { return hwnd_; }

    // The program is ending: from now on no message of any of its windows reaches a handler (they get the default
    // handling), and a timer that still ticks is killed at its next tick. A message box's modal loop, which goes
    // on dispatching, then runs nothing of the program.
    static void StopAllHandlers();

protected:
    // Registers the class if needed and creates the window; false when either fails (nothing is left behind).
    [[nodiscard]] bool Create(const WindowPlan& plan);
    void Destroy();

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Called once the window is gone and the object is detached from it. An owner told from here must not free
    // the object before the message that destroyed the window has returned (post itself a message instead).
    virtual void OnFinalMessage() {}
    // The system's default handling; a WM_CLOSE left to it destroys the window through Destroy.
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    // Whether this creation or destruction message comes from the window's own creation or destruction on this
    // thread, rather than from another thread or a message queue.
    bool IsOwnLifetimeMessage(HWND hwnd, UINT message);

    HWND hwnd_ = nullptr;
    // The window's real destruction has begun (its WM_DESTROY came from it).
    bool destroying_ = false;
};

} // namespace kob
