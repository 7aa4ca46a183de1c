#pragma once

#include <windows.h>

#include <functional>

#include "platform/win32/WindowBase.h"

namespace kob {

// The slider knob: a child window of its own, so it can have its own rounded region and hold the mouse capture
// while it is dragged outside. It reports the mouse (any button) to its owner, the pointer's Y in pixels from the
// knob's top edge.
class KnobControl : public WindowBase {
public:
    ~KnobControl() override { Destroy(); }

    std::function<void(int y)> onPressed;
    std::function<void(int y)> onDragged;
    std::function<void()> onReleased;
    std::function<void()> onClicked;

    // Creates the knob as a child of the parent at this place in client pixels.
    [[nodiscard]] bool Create(HINSTANCE instance, HWND parent, const RECT& place);

    void SetPicture(HBITMAP picture) {
        picture_ = picture;
        InvalidateRect(Handle(), nullptr, FALSE);
    }
    void SetCursor(HCURSOR cursor) { cursor_ = cursor; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();

    HBITMAP picture_ = nullptr;
    HCURSOR cursor_ = nullptr;
    // Buttons pressed on the knob since the capture began; a click needs a press and a release on it.
    int pressed_ = 0;
};

} // namespace kob
