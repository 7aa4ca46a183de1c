#pragma once

#include <windows.h>

#include "controller/Controller.h"

namespace kob {

// Mouse buttons as the window logic counts them: 1 left, 2 right, 4 middle.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

inline int ButtonsHeld(WPARAM keyState) {
    return ((keyState & MK_LBUTTON) ? kLeftButton : 0) | ((keyState & MK_RBUTTON) ? kRightButton : 0) |
           ((keyState & MK_MBUTTON) ? kMiddleButton : 0);
}

// The buttons held during a move, as the controller tells them apart.
inline HeldButtons HeldButtonsOf(WPARAM keyState) {
    const int held = ButtonsHeld(keyState);
    if (held == 0) {
        return HeldButtons::None;
    }
    return held == kLeftButton ? HeldButtons::LeftAlone : HeldButtons::Others;
}

// The button a press or release message concerns, or 0 for any other message.
inline int ButtonOf(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        return kLeftButton;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        return kRightButton;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        return kMiddleButton;
    default:
        return 0;
    }
}

inline bool IsButtonDown(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
           message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
}

} // namespace kob
