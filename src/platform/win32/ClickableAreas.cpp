#include "platform/win32/ClickableAreas.h"

#include <commctrl.h>

namespace kob {

int ClickableAreas::Add(ClickableArea area) {
    areas_.push_back(std::move(area));
    return static_cast<int>(areas_.size()) - 1;
}

int ClickableAreas::HitTest(POINT client) const {
    for (std::size_t i = 0; i < areas_.size(); ++i) {
        if (PtInRect(&areas_[i].rect, client)) {
            return static_cast<int>(i);
        }
    }
    return kNone;
}

void ClickableAreas::AddToolTips(HWND toolTips, HWND window) const {
    for (std::size_t i = 0; i < areas_.size(); ++i) {
        if (!areas_[i].tip) {
            continue;
        }
        TOOLINFOA tool{};
        tool.cbSize = sizeof(tool);
        // Not subclassed: a subclassed window pays a property look-up on every message it gets, timer ticks
        // included. The window relays its mouse messages instead (TTM_RELAYEVENT).
        tool.uFlags = 0;
        tool.hwnd = window;
        tool.uId = i + 1;
        tool.rect = areas_[i].rect;
        tool.lpszText = const_cast<char*>(areas_[i].tip);
        SendMessageA(toolTips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

bool ClickableAreas::SetCursorUnderPointer(HWND window) const {
    POINT client{};
    GetCursorPos(&client);
    ScreenToClient(window, &client);
    const int index = HitTest(client);
    if (index == kNone || !areas_[index].cursor) {
        return false;
    }
    SetCursor(areas_[index].cursor);
    return true;
}

void ClickableAreas::Click(int index) const {
    if (index != kNone && areas_[index].onClick) {
        areas_[index].onClick();
    }
}

void ClickableAreas::DoubleClick(int index) const {
    if (index != kNone && areas_[index].onDoubleClick) {
        areas_[index].onDoubleClick();
    }
}

} // namespace kob
