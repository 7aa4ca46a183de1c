#include "controller/win32/ControllerWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <new>
#include <string>
#include <utility>

#include "ResourceIds.h"
#include "common/AppTitle.h"
#include "common/OutsideNames.h"
#include "controller/ControllerLayout.h"
#include "controller/SliderGeometry.h"
#include "controller/win32/MouseButtons.h"
#include "platform/win32/Accessibility.h"
#include "platform/win32/CommonControls.h"
#include "platform/win32/ScopedGdi.h"
#include "platform/win32/ScreenMetrics.h"

namespace kob {

namespace {

constexpr int kMuteBoxId = 1001;
constexpr int kReadoutId = 1002;
// The skin's width in twips (66 pixels at 96 dpi); the window's last column shows its white background.
constexpr double kSkinWidth = 990;
// The ellipse, in pixels, that rounds the corners of the window and of the knob.
constexpr int kCornerEllipse = 7;

COLORREF ColorRefOf(Rgb color) {
    return RGB(color.red, color.green, color.blue);
}

UINT_PTR TimerId(ControllerTimer timer) {
    return static_cast<UINT_PTR>(timer) + 1;
}

} // namespace

ControllerWindow::ControllerWindow(HINSTANCE instance, ScreenService& screen, ControllerShowing& showing)
    : instance_(instance), showing_(showing), twipsPerPixelX_(screen.TwipsPerPixelX()),
      twipsPerPixelY_(screen.TwipsPerPixelY()),
      timers_({{TimerId(ControllerTimer::DragSettle), IntervalOf(ControllerTimer::DragSettle)},
               {TimerId(ControllerTimer::Fade), IntervalOf(ControllerTimer::Fade)},
               {TimerId(ControllerTimer::VolumeSync), IntervalOf(ControllerTimer::VolumeSync)}}) {}

ControllerWindow::~ControllerWindow() {
    Destroy();
}

bool ControllerWindow::Create() {
    if (CreateWindowAndChildren()) {
        return true;
    }
    // Half a controller (a window without its knob) would be taken for a whole one: none is left.
    Destroy();
    return false;
}

bool ControllerWindow::CreateWindowAndChildren() {
    PrepareCommonControls();
    WindowPlan plan;
    plan.instance = instance_;
    plan.className = kControllerWindowClass;
    plan.classStyle = CS_DBLCLKS;
    plan.cursor = LoadCursor(nullptr, IDC_ARROW);
    plan.icon = LoadIcon(instance_, MAKEINTRESOURCE(IDI_PROGRAM));
    // A tool window keeps the controller off the task bar and out of Alt+Tab, like the tray icon it belongs to.
    plan.exStyle = WS_EX_TOOLWINDOW;
    plan.title = kAppTitle;
    plan.style = WS_POPUP | WS_CLIPCHILDREN;
    plan.width = TwipsToPixels(controller_layout::kWidth, twipsPerPixelX_);
    plan.height = TwipsToPixels(controller_layout::kHeight, twipsPerPixelY_);
    if (!WindowBase::Create(plan)) {
        return false;
    }
    knobCursor_ = LoadCursor(instance_, MAKEINTRESOURCE(IDC_KNOB_CURSOR));
    handCursor_ = LoadCursor(instance_, MAKEINTRESOURCE(IDC_HAND_CURSOR));
    closePicture_.reset(
        static_cast<HBITMAP>(LoadImageA(instance_, MAKEINTRESOURCE(IDB_CLOSE), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));

    auto knob = std::make_unique<KnobControl>();
    // The knob's messages are handlers of the showing too. Its pixels from the top edge become twips.
    knob->onPressed = [this](int y) { Logic().OnKnobPressed(Twips(y * twipsPerPixelY_)); };
    knob->onDragged = [this](int y) { Logic().OnKnobDragged(Twips(y * twipsPerPixelY_)); };
    knob->onReleased = [this] { Logic().OnKnobReleased(); };
    knob->onClicked = [this] { Logic().OnKnobClicked(); };
    const RECT knobRect = PixelRectOf(SliderGeometry::kKnob);
    if (!knob->Create(instance_, Handle(), knobRect)) {
        return false;
    }
    knobTopShown_ = knobRect.top;
    knob->SetCursor(knobCursor_);
    knob_ = std::move(knob);
    CreateReadout();
    const RECT mute = PixelRectOf(controller_layout::kMuteBox);
    // The logic owns the tick: the box does not toggle itself, a click asks the logic.
    muteBox_ = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_CHECKBOX, mute.left, mute.top,
                               mute.right - mute.left, mute.bottom - mute.top, Handle(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kMuteBoxId)), instance_, nullptr);
    AddClickableAreas();
    AddToolTips();
    // The wheel turned over the controller reaches it without the focus (newer systems do this by themselves), as
    // users expect of a pop-up slider: the hook watches the window's place while the pointer is on it.
    wheelHook_ = std::make_unique<WheelHook>(WheelTarget{Handle(), WM_MOUSEWHEEL, 0, true});
    return true;
}

void ControllerWindow::CreateReadout() {
    const int dotsPerInchY = static_cast<int>(1440.0 / twipsPerPixelY_ + 0.5);
    LOGFONTA font{};
    font.lfHeight = -RoundToInt32(controller_layout::kReadoutFontPoints * dotsPerInchY / 72.0);
    font.lfWeight = FW_BOLD;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(font.lfFaceName, controller_layout::kReadoutFontFace, LF_FACESIZE);
    readoutFont_.reset(CreateFontIndirectA(&font));

    // The read-out box is sized for two digits; "100" is wider, so the text window is widened around the box's
    // centre over the skin's panel of the same colour rather than clipping the last digit.
    SIZE widest{};
    {
        ScopedGetDC screen(nullptr);
        ScopedSelectObject selected(screen.get(), readoutFont_.get());
        GetTextExtentPoint32A(screen.get(), "100", 3, &widest);
    }
    RECT readout = PixelRectOf(controller_layout::kReadout);
    const int textWidth = std::max<int>(readout.right - readout.left, widest.cx);
    const int centre2 = readout.left + readout.right;
    readout.left = (centre2 - textWidth) / 2;
    readout.right = readout.left + textWidth;
    readoutBrush_.reset(CreateSolidBrush(ColorRefOf(controller_layout::kReadoutBackColor)));
    readout_ = CreateWindowExA(0, "STATIC", controller_layout::kReadoutDesignCaption,
                               WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, readout.left,
                               readout.top, readout.right - readout.left, readout.bottom - readout.top, Handle(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kReadoutId)), instance_, nullptr);
    SendMessageA(readout_, WM_SETFONT, reinterpret_cast<WPARAM>(readoutFont_.get()), FALSE);
    readoutShown_ = controller_layout::kReadoutDesignCaption;
}

void ControllerWindow::AddClickableAreas() {
    // Added in the order of Element.
    areas_.Add({PixelRectOf(controller_layout::kClose),
                handCursor_,
                controller_layout::kTipClose,
                [this] { Logic().OnCloseClicked(); },
                {}});
    areas_.Add({PixelRectOf(controller_layout::kAudioPropertiesSpot), handCursor_,
                controller_layout::kTipAudioProperties, [this] { Logic().OnAudioPropertiesSpotClicked(); },
                [this] { Logic().OnAudioPropertiesSpotDoubleClicked(); }});
    areas_.Add({PixelRectOf(controller_layout::kVolumeControlSpot),
                handCursor_,
                controller_layout::kTipVolumeControl,
                [this] { Logic().OnVolumeControlSpotClicked(); },
                {}});
    areas_.Add({PixelRectOf(controller_layout::kReadout), nullptr, controller_layout::kTipReadout, {}, {}});
    areas_.Add({PixelRectOf(SliderGeometry::kTrack), nullptr, nullptr, [this] { Logic().OnTrackClicked(); }, {}});
}

void ControllerWindow::AddToolTips() {
    toolTips_ =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, instance_, nullptr);
    if (!toolTips_) {
        return;
    }
    areas_.AddToolTips(toolTips_, Handle());
    TOOLINFOA mute{};
    mute.cbSize = sizeof(mute);
    mute.uFlags = TTF_SUBCLASS | TTF_IDISHWND;
    mute.hwnd = Handle();
    mute.uId = reinterpret_cast<UINT_PTR>(muteBox_);
    mute.lpszText = const_cast<char*>(controller_layout::kTipMute);
    SendMessageA(toolTips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&mute));
}

void ControllerWindow::RelayToToolTips(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!toolTips_) {
        return;
    }
    MSG relayed{};
    relayed.hwnd = Handle();
    relayed.message = message;
    relayed.wParam = wParam;
    relayed.lParam = lParam;
    relayed.time = static_cast<DWORD>(GetMessageTime());
    const DWORD pointer = GetMessagePos();
    relayed.pt = {GET_X_LPARAM(pointer), GET_Y_LPARAM(pointer)};
    SendMessageA(toolTips_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

HBITMAP ControllerWindow::LoadPicture(int resourceId) {
    return static_cast<HBITMAP>(
        LoadImageA(instance_, MAKEINTRESOURCE(resourceId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

RECT ControllerWindow::PixelRectOf(const TwipsRect& twips) const {
    return ClientRectOf(twips, twipsPerPixelX_, twipsPerPixelY_);
}

void ControllerWindow::ShapeWindow(int width, int height) {
    SetRoundedRegion(Handle(), width, height, kCornerEllipse, kCornerEllipse);
}

void ControllerWindow::ShapeKnob(int width, int height) {
    SetRoundedRegion(KnobWindow(), width, height, kCornerEllipse, kCornerEllipse);
}

bool ControllerWindow::ShowSkin() {
    HBITMAP picture = LoadPicture(IDB_SKIN);
    if (!picture) {
        return false;
    }
    skin_.reset(picture);
    InvalidateRect(Handle(), nullptr, TRUE);
    return true;
}

bool ControllerWindow::ShowKnobPicture() {
    HBITMAP picture = LoadPicture(IDB_KNOB);
    if (!picture) {
        return false;
    }
    knobPicture_.reset(picture);
    if (knob_) {
        knob_->SetPicture(knobPicture_.get());
    }
    return true;
}

// The volume-sync timer places the knob and writes the read-out on every tick; only a change reaches the window
// system, so a still volume costs no window moves, texts or repaints.
void ControllerWindow::SetKnobTop(Twips knobTop) {
    const int top = knobTop.Pixels(twipsPerPixelY_);
    if (top == knobTopShown_) {
        return;
    }
    const RECT knob = PixelRectOf(SliderGeometry::kKnob);
    SetWindowPos(KnobWindow(), nullptr, knob.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    knobTopShown_ = top;
}

void ControllerWindow::SetReadout(const std::string& caption) {
    if (caption == readoutShown_) {
        return;
    }
    SetWindowTextA(readout_, caption.c_str());
    readoutShown_ = caption;
}

void ControllerWindow::SetMuteBoxBackColor(Rgb color) {
    muteBoxBrush_.reset(CreateSolidBrush(ColorRefOf(color)));
    InvalidateRect(muteBox_, nullptr, TRUE);
}

void ControllerWindow::SetMuteBox(bool ticked) {
    SendMessageA(muteBox_, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void ControllerWindow::FadeTo(int opacity) {
    // A layered window shows at an opacity. The style is added to those the window has: the tool-window style
    // keeps the fading controller out of Alt+Tab and the task list.
    SetWindowLongA(Handle(), GWL_EXSTYLE, GetWindowLongA(Handle(), GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(Handle(), RGB(0xFF, 0, 0), static_cast<BYTE>(opacity), LWA_ALPHA);
}

void ControllerWindow::ShowAt(int x, int y) {
    SetWindowPos(Handle(), HWND_NOTOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
}

void ControllerWindow::SetTopmost(bool topmost) {
    SetWindowPos(Handle(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

void ControllerWindow::MoveWindowBy(float dxTwips, float dyTwips) {
    // The window's place in twips is its place in whole pixels; each axis is moved and rounded on its own.
    RECT r{};
    GetWindowRect(Handle(), &r);
    const int left = TwipsToPixels(r.left * twipsPerPixelX_ + dxTwips, twipsPerPixelX_);
    const int top = TwipsToPixels(r.top * twipsPerPixelY_ + dyTwips, twipsPerPixelY_);
    SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ControllerWindow::EnableTimer(ControllerTimer timer, bool enabled) {
    timers_.Enable(Handle(), TimerId(timer), enabled);
}

ControllerWindow::Element ControllerWindow::HitTest(int x, int y) const {
    const int index = areas_.HitTest({x, y});
    return index == ClickableAreas::kNone ? Element::Background : static_cast<Element>(index);
}

void ControllerWindow::OnMouse(UINT message, WPARAM wParam, int x, int y) {
    if (IsButtonDown(message)) {
        if (buttonsDown_ == 0) {
            pressed_ = HitTest(x, y);
            SetCapture(Handle());
        }
        buttonsDown_ |= ButtonOf(message);
        if (message == WM_LBUTTONDBLCLK) {
            // Press, release, click, double-click, release: the second release makes no click.
            doubleClicked_ = true;
            DispatchDoubleClick(pressed_); // may take the window down: nothing after it
        }
        return;
    }
    const Element element = buttonsDown_ ? pressed_ : HitTest(x, y);
    // Element coordinates, in twips from the element's top-left corner.
    float left = 0;
    float top = 0;
    if (element == Element::Track) {
        left = static_cast<float>(SliderGeometry::kTrack.left);
        top = static_cast<float>(SliderGeometry::kTrack.top);
    }
    const float twipsX = static_cast<float>(x * twipsPerPixelX_) - left;
    const float twipsY = static_cast<float>(y * twipsPerPixelY_) - top;
    if (message == WM_MOUSEMOVE) {
        DispatchMouseMove(element, HeldButtonsOf(wParam), twipsX, twipsY);
        return;
    }
    const int button = ButtonOf(message);
    const bool wasDown = (buttonsDown_ & button) != 0;
    buttonsDown_ &= ~button;
    if (buttonsDown_ == 0 && GetCapture() == Handle()) {
        ReleaseCapture();
    }
    DispatchMouseUp(element);
    const bool endsDoubleClick = button == kLeftButton && std::exchange(doubleClicked_, false);
    if (button == kLeftButton && wasDown && !endsDoubleClick && HitTest(x, y) == element) {
        DispatchClick(element);
    }
}

void ControllerWindow::DispatchClick(Element element) {
    if (element == Element::Background) {
        Logic().OnBackgroundClicked();
    } else {
        areas_.Click(static_cast<int>(element));
    }
}

void ControllerWindow::DispatchDoubleClick(Element element) {
    if (element == Element::Background) {
        Logic().OnBackgroundDoubleClicked();
    } else {
        areas_.DoubleClick(static_cast<int>(element));
    }
}

void ControllerWindow::DispatchMouseMove(Element element, HeldButtons held, float x, float y) {
    if (element == Element::Track) {
        Logic().OnTrackPointerMoved(Twips(y));
    } else if (element == Element::Background) {
        Logic().OnBackgroundPointerMoved(held, x, y);
    }
}

void ControllerWindow::DispatchMouseUp(Element element) {
    if (element == Element::Track) {
        Logic().OnTrackReleased();
    } else if (element == Element::Background) {
        Logic().OnBackgroundReleased();
    }
}

RECT ControllerWindow::ScreenRectOf(const TwipsRect& place) const {
    RECT r = PixelRectOf(place);
    MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

LONG ControllerWindow::FocusedChild() const {
    const HWND focus = GetFocus();
    if (focus && focus == Handle()) {
        return static_cast<LONG>(ControllerPart::Slider);
    }
    if (focus && focus == muteBox_) {
        return static_cast<LONG>(ControllerPart::MuteBox);
    }
    return 0;
}

bool ControllerWindow::DoDefaultAction(ControllerPart part) {
    return Logic().DoDefaultAction(part);
}

bool ControllerWindow::SetVolumeFromText(const std::string& text) {
    return Logic().SetVolumeFromText(text);
}

LRESULT ControllerWindow::OnGetObject(WPARAM wParam, LPARAM lParam) {
    if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT) {
        return Default(WM_GETOBJECT, wParam, lParam);
    }
    if (!accessible_) {
        accessible_ = new (std::nothrow) ControllerAccessible(Handle(), *this);
    }
    const LRESULT result = accessible_ ? accessibility::ResultFromObject(wParam, accessible_) : 0;
    return result > 0 ? result : Default(WM_GETOBJECT, wParam, lParam);
}

void ControllerWindow::ReleaseAccessible() {
    if (accessible_) {
        accessible_->Disconnect();
        accessible_->Release();
        accessible_ = nullptr;
    }
}

// Screen readers hear of each change, whoever made it, the way they do from the system's own controls.
void ControllerWindow::AnnounceVolumeChanged() {
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, Handle(), OBJID_CLIENT, static_cast<LONG>(ControllerPart::Slider));
}

void ControllerWindow::AnnounceMuteChanged() {
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, Handle(), OBJID_CLIENT, static_cast<LONG>(ControllerPart::MuteBox));
}

void ControllerWindow::OnTimer(UINT_PTR id) {
    if (id == TimerId(ControllerTimer::DragSettle)) {
        Logic().OnDragSettleTick();
    } else if (id == TimerId(ControllerTimer::Fade)) {
        Logic().OnFadeTick();
    } else if (id == TimerId(ControllerTimer::VolumeSync)) {
        Logic().OnVolumeSyncTick();
    }
}

bool ControllerWindow::OnKeyDown(WPARAM key) {
    static constexpr struct {
        WPARAM key;
        ControllerKey meaning;
    } kKeys[] = {
        {VK_UP, ControllerKey::Up},       {VK_DOWN, ControllerKey::Down},    {VK_LEFT, ControllerKey::Left},
        {VK_RIGHT, ControllerKey::Right}, {VK_PRIOR, ControllerKey::PageUp}, {VK_NEXT, ControllerKey::PageDown},
        {VK_HOME, ControllerKey::Home},   {VK_END, ControllerKey::End},      {VK_SPACE, ControllerKey::Space},
        {'M', ControllerKey::M},          {VK_ESCAPE, ControllerKey::Escape}};
    for (const auto& entry : kKeys) {
        if (entry.key == key) {
            Logic().OnKey(entry.meaning);
            return true;
        }
    }
    return false;
}

void ControllerWindow::WatchWheel() {
    RECT place{};
    if (wheelHook_ && GetWindowRect(Handle(), &place)) {
        wheelHook_->Watch(place);
    }
}

bool ControllerWindow::OnSetCursor(HWND over, UINT hitTest) {
    if (hitTest != HTCLIENT) {
        return false;
    }
    if (over == muteBox_ && handCursor_) {
        SetCursor(handCursor_);
        return true;
    }
    if (over != Handle()) {
        return false;
    }
    if (!areas_.SetCursorUnderPointer(Handle())) {
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
    }
    return true;
}

HBRUSH ControllerWindow::OnControlColor(HDC dc, HWND control) {
    if (control == readout_) {
        SetTextColor(dc, ColorRefOf(controller_layout::kReadoutTextColor));
        SetBkColor(dc, ColorRefOf(controller_layout::kReadoutBackColor));
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

void ControllerWindow::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(Handle(), &paint);
    RECT client{};
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (skin_) {
        DrawBitmap(dc, skin_.get(), 0, 0, TwipsToPixels(kSkinWidth, twipsPerPixelX_), client.bottom);
    }
    if (closePicture_) {
        const RECT close = PixelRectOf(controller_layout::kClose);
        DrawBitmap(dc, closePicture_.get(), close.left, close.top, close.right - close.left, close.bottom - close.top);
    }
    EndPaint(Handle(), &paint);
}

LRESULT ControllerWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (HBRUSH brush = OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
            return reinterpret_cast<LRESULT>(brush);
        }
        break;
    case WM_SETCURSOR:
        // Sent at every move of the pointer over the window or its children, the knob included.
        WatchWheel();
        if (OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam))) {
            return TRUE;
        }
        break;
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
        RelayToToolTips(message, wParam, lParam);
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
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == muteBox_ && HIWORD(wParam) == BN_CLICKED) {
            Logic().OnMuteBoxToggled();
            // The keys belong to the whole controller, not to the box.
            SetFocus(Handle());
            return 0;
        }
        break;
    case WM_KEYDOWN:
        if (OnKeyDown(wParam)) {
            return 0;
        }
        break;
    case WM_MOUSEWHEEL:
        Logic().OnWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_SETFOCUS:
        // The keys act on the slider whenever the window has the focus.
        NotifyWinEvent(EVENT_OBJECT_FOCUS, Handle(), OBJID_CLIENT, static_cast<LONG>(ControllerPart::Slider));
        break;
    case WM_GETOBJECT:
        return OnGetObject(wParam, lParam);
    case WM_DESTROY:
        ReleaseAccessible();
        timers_.KillAll(Handle());
        wheelHook_.reset();
        showing_.OnWindowGone();
        return 0;
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

void ControllerWindow::OnFinalMessage() {
    // The child windows are gone by now: the pictures, the font and the brushes they used can go too. The knob's
    // object stays with the showing: a handler still running may address it (its window is gone).
    readout_ = muteBox_ = toolTips_ = nullptr;
    // A question that came in while the window was being taken down made no object that outlives it.
    ReleaseAccessible();
    skin_.reset();
    knobPicture_.reset();
    closePicture_.reset();
    readoutFont_.reset();
    readoutBrush_.reset();
    muteBoxBrush_.reset();
}

} // namespace kob
