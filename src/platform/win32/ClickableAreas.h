#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace kob {

// A part of a window that acts like a button without being a window of its own.
struct ClickableArea {
    RECT rect{};               // client pixels
    HCURSOR cursor = nullptr;  // nullptr: the window's own cursor
    const char* tip = nullptr; // nullptr: no tool-tip
    std::function<void()> onClick;
    std::function<void()> onDoubleClick;
};

// The clickable areas of one window, in the order they were added: where two overlap, the first one wins.
class ClickableAreas {
public:
    static constexpr int kNone = -1;

    // Returns the new area's index.
    int Add(ClickableArea area);
    // The index of the area under the client point, or kNone.
    int HitTest(POINT client) const;
    // One tool of the tool-tip control for each area with a tip. The window relays its mouse messages to the
    // control with TTM_RELAYEVENT.
    void AddToolTips(HWND toolTips, HWND window) const;
    // Sets the cursor of the area under the pointer in the window; false when there is none or it has no cursor.
    bool SetCursorUnderPointer(HWND window) const;
    void Click(int index) const;
    void DoubleClick(int index) const;

private:
    std::vector<ClickableArea> areas_;
};

} // namespace kob
