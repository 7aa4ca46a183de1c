#include "controller/win32/KnobControl.h"

#include <windowsx.h>

#include "common/OutsideNames.h"
#include "controller/win32/MouseButtons.h"
#include "platform/win32/ScopedGdi.h"

namespace kob {

bool KnobControl::Create(HINSTANCE instance, HWND parent, const RECT& place) {
    WindowPlan plan;
    plan.instance = instance;
    plan.className = kKnobWindowClass;
    plan.cursor = LoadCursor(nullptr, IDC_ARROW);
    plan.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    plan.x = place.left;
    plan.y = place.top;
    plan.width = place.right - place.left;
    plan.height = place.bottom - place.top;
    plan.parent = parent;
    return WindowBase::Create(plan);
}

LRESULT KnobControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETCURSOR:
        if (cursor_ && LOWORD(lParam) == HTCLIENT) {
            // The controller hears of the pointer over its knob as over its other parts; the cursor is the knob's.
            SendMessageA(GetParent(Handle()), WM_SETCURSOR, wParam, lParam);
            ::SetCursor(cursor_);
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        pressed_ |= ButtonOf(message);
        SetCapture(Handle());
        onPressed(y);
        return 0;
    case WM_MOUSEMOVE:
        onDragged(y);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const int button = ButtonOf(message);
        const bool wasPressed = (pressed_ & button) != 0;
        pressed_ &= ~button;
        if (pressed_ == 0 && GetCapture() == Handle()) {
            ReleaseCapture();
        }
        onReleased();
        RECT client{};
        GetClientRect(Handle(), &client);
        const POINT at{x, y};
        if (button == kLeftButton && wasPressed && PtInRect(&client, at)) {
            onClicked();
        }
        return 0;
    }
    case WM_CAPTURECHANGED:
        pressed_ = 0;
        return 0;
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

void KnobControl::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(Handle(), &paint);
    RECT client{};
    GetClientRect(Handle(), &client);
    if (picture_) {
        DrawBitmap(dc, picture_, 0, 0, client.right, client.bottom);
    } else {
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    }
    EndPaint(Handle(), &paint);
}

} // namespace kob
