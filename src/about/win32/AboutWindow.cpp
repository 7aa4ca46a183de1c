#include "about/win32/AboutWindow.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>

#include "ResourceIds.h"
#include "common/OutsideNames.h"
#include "common/Rounding.h"
#include "platform/win32/ScopedGdi.h"
#include "platform/win32/ScreenMetrics.h"

namespace kob {

namespace {

// The background picture's size in twips (441 x 409 pixels at 96 dpi); the window shows its top-left part.
constexpr double kPictureWidth = 6615;
constexpr double kPictureHeight = 6135;
// The clickable areas of the links come first, in this order.
constexpr int kLinkCount = 2;
constexpr int kLinkLabels[kLinkCount] = {about_layout::kWebLink, about_layout::kFeedbackLink};

} // namespace

AboutWindow::AboutWindow(HINSTANCE instance, const std::string& deviceName, WebBrowser& browser)
    : instance_(instance), about_(*this, deviceName, browser), twipsPerPixelX_(ScreenTwipsPerPixel(LOGPIXELSX)),
      twipsPerPixelY_(ScreenTwipsPerPixel(LOGPIXELSY)) {}

AboutWindow::~AboutWindow() {
    Destroy();
}

RECT AboutWindow::PixelRectOf(const TwipsRect& twips) const {
    return ClientRectOf(twips, twipsPerPixelX_, twipsPerPixelY_);
}

void AboutWindow::Open() {
    WindowPlan plan = CentredToolWindow(instance_, kAboutWindowClass, about_layout::kCaption,
                                        TwipsToPixels(about_layout::kWidth, twipsPerPixelX_),
                                        TwipsToPixels(about_layout::kHeight, twipsPerPixelY_));
    plan.icon = LoadIcon(instance_, MAKEINTRESOURCE(IDI_PROGRAM));
    // Everything is painted over the background picture.
    plan.background = nullptr;
    if (!Create(plan)) {
        return;
    }
    picture_.reset(
        static_cast<HBITMAP>(LoadImageA(instance_, MAKEINTRESOURCE(IDB_ABOUT), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    CreateFonts();
    HCURSOR hand = LoadCursor(instance_, MAKEINTRESOURCE(IDC_HAND_CURSOR));
    HCURSOR custom = LoadCursor(instance_, MAKEINTRESOURCE(IDC_KNOB_CURSOR));
    areas_.Add({PixelRectOf(about_layout::kLabels[about_layout::kWebLink].place),
                hand,
                nullptr,
                [this] { about_.OnWebsiteLinkClicked(); },
                {}});
    areas_.Add({PixelRectOf(about_layout::kLabels[about_layout::kFeedbackLink].place),
                hand,
                nullptr,
                [this] { about_.OnFeedbackLinkClicked(); },
                {}});
    areas_.Add({PixelRectOf(about_layout::kLabels[about_layout::kWebPrefix].place), hand, nullptr, {}, {}});
    areas_.Add({PixelRectOf(about_layout::kLabels[about_layout::kTrademark].place), custom, nullptr, {}, {}});
    about_.Load();
    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(Handle());
}

void AboutWindow::CreateFonts() {
    const int dotsPerInchY = RoundToInt32(1440.0 / twipsPerPixelY_);
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
        const about_layout::Label& label = about_layout::kLabels[i];
        LOGFONTA font{};
        font.lfHeight = -RoundToInt32(label.points * dotsPerInchY / 72.0);
        font.lfWeight = label.bold ? FW_BOLD : FW_NORMAL;
        font.lfUnderline = label.underline ? TRUE : FALSE;
        font.lfCharSet = DEFAULT_CHARSET;
        lstrcpynA(font.lfFaceName, label.face, LF_FACESIZE);
        fonts_[i].reset(CreateFontIndirectA(&font));
    }
}

void AboutWindow::SetMixerCaption(const std::string& caption) {
    mixerCaption_ = caption;
    const RECT line = PixelRectOf(about_layout::kLabels[about_layout::kMixerLine].place);
    InvalidateRect(Handle(), &line, TRUE);
}

void AboutWindow::OpenMaximized(const std::string& address) {
    ShellExecuteA(Handle(), nullptr, address.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

void AboutWindow::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(Handle(), &paint);
    RECT client{};
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (picture_) {
        DrawBitmap(dc, picture_.get(), 0, 0, TwipsToPixels(kPictureWidth, twipsPerPixelX_),
                   TwipsToPixels(kPictureHeight, twipsPerPixelY_));
    }
    SetBkMode(dc, TRANSPARENT);
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
        const about_layout::Label& label = about_layout::kLabels[i];
        ScopedSelectObject font(dc, fonts_[i].get());
        SetTextColor(dc, label.colorref);
        RECT place = PixelRectOf(label.place);
        const bool mixerLine = static_cast<int>(i) == about_layout::kMixerLine;
        const std::string text = mixerLine ? mixerCaption_ : label.text;
        UINT format = (label.centred ? DT_CENTER : DT_LEFT) | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;
        if (mixerLine) {
            // A device's name may be long: the line may take the window's width about its centre, and a name wider
            // still ends with an ellipsis rather than at the window's edge.
            const LONG centre2 = place.left + place.right; // twice the centre, so that halves stay whole
            const LONG width = std::min(centre2, 2 * client.right - centre2);
            place.left = (centre2 - width) / 2;
            place.right = (centre2 + width) / 2;
            format = (format & ~DT_NOCLIP) | DT_END_ELLIPSIS;
        }
        DrawTextA(dc, text.c_str(), -1, &place, format);
        if (static_cast<int>(i) == FocusedLabel()) {
            // The focus rectangle hugs the text, wherever the label places it.
            RECT around = place;
            DrawTextA(dc, text.c_str(), -1, &around, format | DT_CALCRECT);
            if (label.centred) {
                OffsetRect(&around, ((place.right - place.left) - (around.right - around.left)) / 2, 0);
            }
            InflateRect(&around, 1, 1);
            // The dotted pattern takes the text and background colours: black over white, as the system draws it.
            SetTextColor(dc, RGB(0, 0, 0));
            SetBkColor(dc, RGB(0xFF, 0xFF, 0xFF));
            DrawFocusRect(dc, &around);
        }
    }
    EndPaint(Handle(), &paint);
}

int AboutWindow::FocusedLabel() const {
    return focusedLink_ == ClickableAreas::kNone ? -1 : kLinkLabels[focusedLink_];
}

bool AboutWindow::OnKeyDown(WPARAM key) {
    if (key == VK_TAB) {
        const bool backwards = GetKeyState(VK_SHIFT) < 0;
        if (focusedLink_ == ClickableAreas::kNone) {
            focusedLink_ = backwards ? kLinkCount - 1 : 0;
        } else {
            focusedLink_ = (focusedLink_ + (backwards ? kLinkCount - 1 : 1)) % kLinkCount;
        }
        InvalidateRect(Handle(), nullptr, FALSE);
        return true;
    }
    if ((key == VK_RETURN || key == VK_SPACE) && focusedLink_ != ClickableAreas::kNone) {
        areas_.Click(focusedLink_);
        return true;
    }
    return false;
}

LRESULT AboutWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && areas_.SetCursorUnderPointer(Handle())) {
            return TRUE;
        }
        break;
    case WM_KEYDOWN:
        if (OnKeyDown(wParam)) {
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
        pressed_ = areas_.HitTest({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_LBUTTONUP: {
        const int released = areas_.HitTest({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        if (released == pressed_) {
            areas_.Click(released);
        }
        pressed_ = ClickableAreas::kNone;
        return 0;
    }
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

void AboutWindow::OnFinalMessage() {
    picture_.reset();
    for (auto& font : fonts_) {
        font.reset();
    }
}

} // namespace kob
