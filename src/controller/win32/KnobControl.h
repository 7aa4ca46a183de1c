#pragma once

#include <windows.h>

#include "platform/win32/WindowBase.h"

namespace kob {

// Mouse reports of the knob (any button), the pointer's Y in pixels from the knob's top edge.
class KnobEvents {
public:
    virtual ~KnobEvents() = default;
    virtual void OnKnobMouseDown(int y) = 0;
    virtual void OnKnobMouseMove(int y) = 0;
    virtual void OnKnobMouseUp() = 0;
    virtual void OnKnobClick() = 0;
};

// The slider knob: a child window of its own, so it can have its own rounded region and hold the mouse capture
// while it is dragged outside.
class KnobControl : public WindowBase {
public:
    explicit KnobControl(KnobEvents& events) : events_(events) {}
    ~KnobControl() override { Destroy(); }

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

    KnobEvents& events_;
    HBITMAP picture_ = nullptr;
    HCURSOR cursor_ = nullptr;
    // Buttons pressed on the knob since the capture began; a click needs a press and a release on it.
    int pressed_ = 0;
};

} // namespace kob
