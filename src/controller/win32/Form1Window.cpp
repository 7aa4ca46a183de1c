#include "controller/win32/Form1Window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "ResourceIds.h"
#include "common/AppTitle.h"
#include "common/Twips.h"
#include "controller/Form1Layout.h"
#include "controller/win32/MouseButtons.h"

namespace kob {

namespace {

constexpr const char* kWindowClass = "DrovoVC3Controller";
constexpr int kMuteBoxId = 1001;
constexpr int kReadoutId = 1002;
// Skin width in pixels; the window's last column shows its white background.
constexpr int kSkinWidth = 66;

UINT_PTR TimerId(Form1Timer timer) {
    return static_cast<UINT_PTR>(timer) + 1;
}

unsigned TimerInterval(Form1Timer timer) {
    switch (timer) {
    case Form1Timer::DragHandler:
        return form1::kDragHandlerInterval;
    case Form1Timer::Fade:
        return form1::kFadeInterval;
    case Form1Timer::SyncVolume:
        return form1::kSyncVolumeInterval;
    }
    return form1::kFadeInterval;
}

// Shift state as the window logic counts it: 1 Shift, 2 Ctrl, 4 Alt.
int ShiftState() {
    return ((GetKeyState(VK_SHIFT) < 0) ? 1 : 0) | ((GetKeyState(VK_CONTROL) < 0) ? 2 : 0) |
           ((GetKeyState(VK_MENU) < 0) ? 4 : 0);
}

void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height) {
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, bitmap);
    BitBlt(dc, x, y, width, height, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

} // namespace

Form1Window::Form1Window(HINSTANCE instance, Services& services, ProgramContext& context)
    : instance_(instance), services_(services), form_(*this, services, context),
      twipsPerPixelX_(services.screen.TwipsPerPixelX()), twipsPerPixelY_(services.screen.TwipsPerPixelY()) {}

Form1Window::~Form1Window() {
    onDestroyed_ = nullptr;
    Destroy();
}

void Form1Window::Load() {
    WNDCLASSEXA windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.hInstance = instance_;
    windowClass.lpszClassName = kWindowClass;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIcon(instance_, MAKEINTRESOURCE(IDI_PROGRAM));
    const int width = TwipsToPixels(form1::kWidth, twipsPerPixelX_);
    const int height = TwipsToPixels(form1::kHeight, twipsPerPixelY_);
    // A tool window keeps the controller off the task bar and out of Alt+Tab, like the tray icon it belongs to.
    Create(windowClass, WS_EX_TOOLWINDOW, kAppTitle, WS_POPUP | WS_CLIPCHILDREN, 0, 0, width, height, nullptr);
    knobCursor_ = LoadCursor(instance_, MAKEINTRESOURCE(IDC_KNOB_CURSOR));
    handCursor_ = LoadCursor(instance_, MAKEINTRESOURCE(IDC_HAND_CURSOR));
    closePicture_.reset(
        static_cast<HBITMAP>(LoadImageA(instance_, MAKEINTRESOURCE(IDB_CLOSE), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    CreateChildren();
    AddToolTips();
    form_.Form_Load();
}

void Form1Window::Unload() {
    Destroy();
}

RECT Form1Window::PixelRectOf(const TwipsRect& twips) const {
    const PixelRect p = ToPixels(twips, twipsPerPixelX_, twipsPerPixelY_);
    return {p.left, p.top, p.left + p.width, p.top + p.height};
}

void Form1Window::CreateChildren() {
    knob_ = std::make_unique<KnobControl>(instance_, Handle(), static_cast<KnobEvents&>(*this));
    knob_->SetCursor(knobCursor_);
    const RECT knob = PixelRectOf(form1::kKnob);
    MoveWindow(knob_->Handle(), knob.left, knob.top, knob.right - knob.left, knob.bottom - knob.top, FALSE);

    HDC screen = GetDC(nullptr);
    const int dotsPerInchY = static_cast<int>(1440.0 / twipsPerPixelY_ + 0.5);
    LOGFONTA font{};
    font.lfHeight = -RoundToInt32(form1::kReadoutFontPoints * dotsPerInchY / 72.0);
    font.lfWeight = FW_BOLD;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(font.lfFaceName, form1::kReadoutFontFace, LF_FACESIZE);
    readoutFont_.reset(CreateFontIndirectA(&font));

    // The read-out box is sized for two digits; "100" is wider, so the text window is widened around the box's
    // centre over the skin's panel of the same colour rather than clipping the last digit.
    SIZE widest{};
    HGDIOBJ previous = SelectObject(screen, readoutFont_.get());
    GetTextExtentPoint32A(screen, "100", 3, &widest);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    RECT readout = PixelRectOf(form1::kReadout);
    const int boxWidth = readout.right - readout.left;
    const int textWidth = std::max<int>(boxWidth, widest.cx);
    const int centre2 = readout.left + readout.right;
    readout.left = (centre2 - textWidth) / 2;
    readout.right = readout.left + textWidth;
    readoutBrush_.reset(CreateSolidBrush(form1::kReadoutBackColor));
    readout_ = CreateWindowExA(0, "STATIC", form1::kReadoutDesignCaption,
                               WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, readout.left,
                               readout.top, readout.right - readout.left, readout.bottom - readout.top, Handle(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kReadoutId)), instance_, nullptr);
    SendMessageA(readout_, WM_SETFONT, reinterpret_cast<WPARAM>(readoutFont_.get()), FALSE);

    const RECT mute = PixelRectOf(form1::kMuteBox);
    muteBox_ = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, mute.left,
                               mute.top, mute.right - mute.left, mute.bottom - mute.top, Handle(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kMuteBoxId)), instance_, nullptr);
}

void Form1Window::AddToolTips() {
    toolTips_ =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, instance_, nullptr);
    if (!toolTips_) {
        return;
    }
    const struct {
        const TwipsRect& area;
        const char* tip;
    } areas[] = {{form1::kReadout, form1::kTipReadout},
                 {form1::kClose, form1::kTipClose},
                 {form1::kVolumeControlSpot, form1::kTipVolumeControl},
                 {form1::kAudioPropertiesSpot, form1::kTipAudioProperties}};
    UINT id = 1;
    for (const auto& area : areas) {
        TOOLINFOA tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = Handle();
        tool.uId = id++;
        tool.rect = PixelRectOf(area.area);
        tool.lpszText = const_cast<char*>(area.tip);
        SendMessageA(toolTips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    TOOLINFOA mute{};
    mute.cbSize = sizeof(mute);
    mute.uFlags = TTF_SUBCLASS | TTF_IDISHWND;
    mute.hwnd = Handle();
    mute.uId = reinterpret_cast<UINT_PTR>(muteBox_);
    mute.lpszText = const_cast<char*>(form1::kTipMute);
    SendMessageA(toolTips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&mute));
}

HBITMAP Form1Window::LoadPicture(int resourceId, const char* what) {
    auto* picture =
        static_cast<HBITMAP>(LoadImageA(instance_, MAKEINTRESOURCE(resourceId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    if (!picture) {
        throw std::runtime_error(std::string("Unable to load the ") + what + " picture.");
    }
    return picture;
}

void Form1Window::SetWindowRegion(int width, int height, int ellipseWidth, int ellipseHeight) {
    HRGN region = CreateRoundRectRgn(0, 0, width, height, ellipseWidth, ellipseHeight);
    // The system owns the region once SetWindowRgn succeeds.
    if (region && !::SetWindowRgn(Handle(), region, TRUE)) {
        DeleteObject(region);
    }
}

void Form1Window::SetKnobRegion(int width, int height, int ellipseWidth, int ellipseHeight) {
    HRGN region = CreateRoundRectRgn(0, 0, width, height, ellipseWidth, ellipseHeight);
    if (region && !::SetWindowRgn(knob_->Handle(), region, TRUE)) {
        DeleteObject(region);
    }
}

void Form1Window::ShowSkin() {
    skin_.reset(LoadPicture(IDB_SKIN, "skin"));
    InvalidateRect(Handle(), nullptr, TRUE);
}

void Form1Window::ShowKnobPicture() {
    knobPicture_.reset(LoadPicture(IDB_KNOB, "knob"));
    knob_->SetPicture(knobPicture_.get());
}

void Form1Window::SetKnobTop(float twips) {
    knobTop_ = twips;
    const RECT knob = PixelRectOf(form1::kKnob);
    ::SetWindowPos(knob_->Handle(), nullptr, knob.left, TwipsToPixels(twips, twipsPerPixelY_), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1Window::SetReadout(const std::string& caption) {
    SetWindowTextA(readout_, caption.c_str());
}

void Form1Window::SetMuteBoxBackColor(std::uint32_t colorref) {
    muteBoxBrush_.reset(CreateSolidBrush(colorref));
    InvalidateRect(muteBox_, nullptr, TRUE);
}

float Form1Window::WindowLeft() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    return static_cast<float>(r.left * twipsPerPixelX_);
}

float Form1Window::WindowTop() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    return static_cast<float>(r.top * twipsPerPixelY_);
}

void Form1Window::SetWindowLeft(float twips) {
    RECT r{};
    GetWindowRect(Handle(), &r);
    ::SetWindowPos(Handle(), nullptr, TwipsToPixels(twips, twipsPerPixelX_), r.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1Window::SetWindowTop(float twips) {
    RECT r{};
    GetWindowRect(Handle(), &r);
    ::SetWindowPos(Handle(), nullptr, r.left, TwipsToPixels(twips, twipsPerPixelY_), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1Window::SetWindowPos(std::intptr_t insertAfter, int x, int y, int cx, int cy, unsigned flags) {
    ::SetWindowPos(Handle(), reinterpret_cast<HWND>(insertAfter), x, y, cx, cy, flags);
}

void Form1Window::EnableTimer(Form1Timer timer, bool enabled) {
    if (enabled) {
        SetTimer(Handle(), TimerId(timer), TimerInterval(timer), nullptr);
    } else {
        KillTimer(Handle(), TimerId(timer));
    }
}

Form1Window::Element Form1Window::HitTest(int x, int y) const {
    const POINT at{x, y};
    const struct {
        const TwipsRect& area;
        Element element;
    } areas[] = {{form1::kClose, Element::Close},
                 {form1::kAudioPropertiesSpot, Element::AudioPropertiesSpot},
                 {form1::kVolumeControlSpot, Element::VolumeControlSpot},
                 {form1::kReadout, Element::Readout},
                 {form1::kTrack, Element::Track}};
    for (const auto& area : areas) {
        const RECT r = PixelRectOf(area.area);
        if (PtInRect(&r, at)) {
            return area.element;
        }
    }
    return Element::Background;
}

void Form1Window::OnMouse(UINT message, WPARAM wParam, int x, int y) {
    if (IsButtonDown(message)) {
        if (buttonsDown_ == 0) {
            pressed_ = HitTest(x, y);
            SetCapture(Handle());
        }
        buttonsDown_ |= ButtonOf(message);
        return;
    }
    const Element element = buttonsDown_ ? pressed_ : HitTest(x, y);
    // Element coordinates, in twips from the element's top-left corner.
    float left = 0;
    float top = 0;
    if (element == Element::Track) {
        left = static_cast<float>(form1::kTrack.left);
        top = static_cast<float>(form1::kTrack.top);
    }
    const float twipsX = static_cast<float>(x * twipsPerPixelX_) - left;
    const float twipsY = static_cast<float>(y * twipsPerPixelY_) - top;
    if (message == WM_MOUSEMOVE) {
        DispatchMouseMove(element, ButtonsHeld(wParam), twipsX, twipsY);
        return;
    }
    const int button = ButtonOf(message);
    const bool wasDown = (buttonsDown_ & button) != 0;
    buttonsDown_ &= ~button;
    if (buttonsDown_ == 0 && GetCapture() == Handle()) {
        ReleaseCapture();
    }
    DispatchMouseUp(element, button, twipsX, twipsY);
    if (button == kLeftButton && wasDown && HitTest(x, y) == element) {
        DispatchClick(element);
    }
}

void Form1Window::DispatchMouseMove(Element element, int buttons, float x, float y) {
    if (element == Element::Track) {
        form_.Image1_MouseMove(buttons, ShiftState(), x, y);
    } else if (element == Element::Background) {
        form_.Form_MouseMove(buttons, ShiftState(), x, y);
    }
}

void Form1Window::DispatchMouseUp(Element element, int button, float x, float y) {
    if (element == Element::Track) {
        form_.Image1_MouseUp(button, ShiftState(), x, y);
    } else if (element == Element::Background) {
        form_.Form_MouseUp(button, ShiftState(), x, y);
    }
}

void Form1Window::DispatchClick(Element element) {
    if (element == Element::Track) {
        form_.Image1_Click();
    }
}

void Form1Window::OnKnobMouseDown(int button, int x, int y) {
    form_.image2_MouseDown(button, ShiftState(), static_cast<float>(x * twipsPerPixelX_),
                           static_cast<float>(y * twipsPerPixelY_));
}

void Form1Window::OnKnobMouseMove(int buttons, int x, int y) {
    form_.image2_MouseMove(buttons, ShiftState(), static_cast<float>(x * twipsPerPixelX_),
                           static_cast<float>(y * twipsPerPixelY_));
}

void Form1Window::OnKnobMouseUp(int button, int x, int y) {
    form_.image2_MouseUp(button, ShiftState(), static_cast<float>(x * twipsPerPixelX_),
                         static_cast<float>(y * twipsPerPixelY_));
}

void Form1Window::OnKnobClick() {
    form_.image2_Click();
}

void Form1Window::OnTimer(UINT_PTR id) {
    if (id == TimerId(Form1Timer::DragHandler)) {
        form_.tmr_drag_handler_Timer();
    }
}

HBRUSH Form1Window::OnControlColor(HDC dc, HWND control) {
    if (control == readout_) {
        SetTextColor(dc, form1::kReadoutTextColor);
        SetBkColor(dc, form1::kReadoutBackColor);
        return readoutBrush_.get();
    }
    if (control == muteBox_ && muteBoxBrush_) {
        LOGBRUSH brush{};
        GetObject(muteBoxBrush_.get(), sizeof(brush), &brush);
        SetBkColor(dc, brush.lbColor);
        return muteBoxBrush_.get();
    }
    return nullptr;
}

void Form1Window::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(Handle(), &paint);
    RECT client{};
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (skin_) {
        DrawBitmap(dc, skin_.get(), 0, 0, kSkinWidth, client.bottom);
    }
    if (closePicture_) {
        const RECT close = PixelRectOf(form1::kClose);
        DrawBitmap(dc, closePicture_.get(), close.left, close.top, close.right - close.left, close.bottom - close.top);
    }
    EndPaint(Handle(), &paint);
}

LRESULT Form1Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        HBRUSH brush = OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        if (brush) {
            return reinterpret_cast<LRESULT>(brush);
        }
        break;
    }
    case WM_SETCURSOR: {
        const HWND over = reinterpret_cast<HWND>(wParam);
        if (LOWORD(lParam) != HTCLIENT) {
            break;
        }
        if (over == muteBox_ && handCursor_) {
            SetCursor(handCursor_);
            return TRUE;
        }
        if (over == Handle()) {
            POINT at{};
            GetCursorPos(&at);
            ScreenToClient(Handle(), &at);
            const Element element = HitTest(at.x, at.y);
            const bool button = element == Element::Close || element == Element::VolumeControlSpot ||
                                element == Element::AudioPropertiesSpot;
            SetCursor(button && handCursor_ ? handCursor_ : LoadCursor(nullptr, IDC_ARROW));
            return TRUE;
        }
        break;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        OnMouse(message, wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != Handle()) {
            buttonsDown_ = 0;
        }
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_DESTROY:
        for (Form1Timer timer : {Form1Timer::DragHandler, Form1Timer::Fade, Form1Timer::SyncVolume}) {
            KillTimer(Handle(), TimerId(timer));
        }
        form_.Form_Unload();
        return 0;
    case WM_NCDESTROY:
        knob_.reset();
        if (onDestroyed_) {
            auto callback = onDestroyed_;
            callback();
        }
        break;
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

} // namespace kob
