#include "settings/win32/OptionsWindow.h"

#include <algorithm>
#include <utility>

#include "ResourceIds.h"
#include "common/OutsideNames.h"
#include "common/Twips.h"
#include "platform/win32/Accessibility.h"
#include "platform/win32/CommonControls.h"
#include "platform/win32/ScopedGdi.h"
#include "platform/win32/ScreenMetrics.h"

namespace kob {

namespace {

constexpr int kBoxId = 1001;
constexpr int kLabelId = 1002;
// The design, in twips: the client area, the box and its text.
constexpr double kWidth = 4200;
constexpr double kHeight = 1860;
constexpr TwipsRect kBox{720, 840, 255, 255};
constexpr TwipsRect kLabel{1200, 880, 1905, 195};
constexpr const char* kLabelText = "Run when Windows starts.";

} // namespace

OptionsWindow::OptionsWindow(HINSTANCE instance, Settings& settings, Reporter report)
    : instance_(instance), options_(*this, settings, std::move(report)) {}

OptionsWindow::~OptionsWindow() {
    Destroy();
}

void OptionsWindow::Open() {
    PrepareCommonControls();
    const double twipsPerPixelX = ScreenTwipsPerPixel(LOGPIXELSX);
    const double twipsPerPixelY = ScreenTwipsPerPixel(LOGPIXELSY);
    WindowPlan plan = CentredToolWindow(instance_, kOptionsWindowClass, "", TwipsToPixels(kWidth, twipsPerPixelX),
                                        TwipsToPixels(kHeight, twipsPerPixelY));
    plan.icon = LoadIcon(instance_, MAKEINTRESOURCE(IDI_PROGRAM));
    if (!Create(plan)) {
        return;
    }
    const PixelRect box = ToPixels(kBox, twipsPerPixelX, twipsPerPixelY);
    PixelRect label = ToPixels(kLabel, twipsPerPixelX, twipsPerPixelY);
    HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
    {
        // The text keeps its place; its box grows where the system's font runs wider than the design.
        ScopedGetDC screen(nullptr);
        ScopedSelectObject selected(screen.get(), font);
        SIZE extent{};
        GetTextExtentPoint32A(screen.get(), kLabelText, lstrlenA(kLabelText), &extent);
        label.width = std::max<int>(label.width, extent.cx + 2);
        label.height = std::max<int>(label.height, extent.cy);
    }
    // The logic owns the tick: the box does not toggle itself, a click asks the logic.
    box_ = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_CHECKBOX, box.left, box.top,
                           box.width, box.height, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kBoxId)),
                           instance_, nullptr);
    // The text beside the box is a label of its own, so that a click on it does not tick the box; screen readers
    // still announce the box by that text.
    accessibility::NameControl(box_, kLabelText);
    HWND text = CreateWindowExA(0, "STATIC", kLabelText, WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, label.left,
                                label.top, label.width, label.height, Handle(),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLabelId)), instance_, nullptr);
    // The stock GUI font is shared by the system and never deleted.
    SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    options_.Load();
    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(Handle());
    SetFocus(box_);
}

void OptionsWindow::SetRunAtLogonBox(bool checked) {
    SendMessageA(box_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

LRESULT OptionsWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && reinterpret_cast<HWND>(lParam) == box_ && HIWORD(wParam) == BN_CLICKED) {
        options_.OnRunAtLogonBoxToggled();
        return 0;
    }
    if (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN) {
        // The window's own face colour behind the box and its text.
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return Default(message, wParam, lParam);
}

} // namespace kob
