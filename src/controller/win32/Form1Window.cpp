#include "controller/win32/Form1Window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

#include "ResourceIds.h"
#include "common/AppTitle.h"
#include "controller/Form1Layout.h"
#include "controller/win32/MouseButtons.h"
#include "platform/ErrorGuard.h"
#include "platform/win32/CommonControls.h"
#include "platform/win32/ScopedGdi.h"
#include "platform/win32/ScreenMetrics.h"

namespace kob {

namespace {

constexpr const char* kWindowClass = "DrovoVC3Controller";
constexpr int kMuteBoxId = 1001;
constexpr int kReadoutId = 1002;
// The skin's width in twips (66 pixels at 96 dpi); the window's last column shows its white background.
constexpr double kSkinWidth = 990;

// Counts a handler of the showing while it runs.
class HandlerScope {
public:
    explicit HandlerScope(int& running) : running_(running) { ++running_; }
    ~HandlerScope() { --running_; }
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;

private:
    int& running_;
};

UINT_PTR TimerId(Form1Timer timer) {
    return static_cast<UINT_PTR>(timer) + 1;
}

// Shift state as the window logic counts it: 1 Shift, 2 Ctrl, 4 Alt.
int ShiftState() {
    return ((GetKeyState(VK_SHIFT) < 0) ? 1 : 0) | ((GetKeyState(VK_CONTROL) < 0) ? 2 : 0) |
           ((GetKeyState(VK_MENU) < 0) ? 4 : 0);
}

} // namespace

Form1Window::Form1Window(HINSTANCE instance, Mixer& mixer, const Form1Services& services, const StartupFacts& facts,
                         Form1Host& host)
    : instance_(instance), messages_(services.messages), form_(*this, mixer, services, facts, host),
      twipsPerPixelX_(services.screen.TwipsPerPixelX()), twipsPerPixelY_(services.screen.TwipsPerPixelY()),
      timers_({{TimerId(Form1Timer::DragHandler), form1::kDragHandlerInterval},
               {TimerId(Form1Timer::Fade), form1::kFadeInterval},
               {TimerId(Form1Timer::SyncVolume), form1::kSyncVolumeInterval}}) {}

Form1Window::~Form1Window() {
    Destroy();
}

void Form1Window::Load() {
    // A showing loads once: loading again would leave the first window behind.
    if (loadStarted_) {
        return;
    }
    loadStarted_ = true;
    const HandlerScope scope(handlersRunning_);
    bool created = false;
    ShowErrorAndGoOn(messages_, kMbIconExclamation, [&] {
        if (!CreateWindowAndChildren()) {
            // Half a controller (a window without its knob) would be taken for a whole one: none is left.
            Destroy();
            throw std::runtime_error("Unable to create the controller window.");
        }
        created = true;
    });
    if (created) {
        form_.Form_Load();
    }
}

void Form1Window::Unload() {
    Destroy();
}

bool Form1Window::CreateWindowAndChildren() {
    PrepareCommonControls();
    WindowPlan plan;
    plan.instance = instance_;
    plan.className = kWindowClass;
    plan.classStyle = CS_DBLCLKS;
    plan.cursor = LoadCursor(nullptr, IDC_ARROW);
    plan.icon = LoadIcon(instance_, MAKEINTRESOURCE(IDI_PROGRAM));
    // A tool window keeps the controller off the task bar and out of Alt+Tab, like the tray icon it belongs to.
    plan.exStyle = WS_EX_TOOLWINDOW;
    plan.title = kAppTitle;
    plan.style = WS_POPUP | WS_CLIPCHILDREN;
    plan.width = TwipsToPixels(form1::kWidth, twipsPerPixelX_);
    plan.height = TwipsToPixels(form1::kHeight, twipsPerPixelY_);
    if (!Create(plan)) {
        return false;
    }
    knobCursor_ = LoadCursor(instance_, MAKEINTRESOURCE(IDC_KNOB_CURSOR));
    handCursor_ = LoadCursor(instance_, MAKEINTRESOURCE(IDC_HAND_CURSOR));
    closePicture_.reset(
        static_cast<HBITMAP>(LoadImageA(instance_, MAKEINTRESOURCE(IDB_CLOSE), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));

    auto knob = std::make_unique<KnobControl>(static_cast<KnobEvents&>(*this));
    const RECT knobRect = PixelRectOf(form1::kKnob);
    if (!knob->Create(instance_, Handle(), knobRect)) {
        return false;
    }
    knobTopShown_ = knobRect.top;
    knob->SetCursor(knobCursor_);
    knob_ = std::move(knob);
    CreateReadout();
    const RECT mute = PixelRectOf(form1::kMuteBox);
    // The logic owns the tick: the box does not toggle itself, a click asks the logic.
    muteBox_ = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_CHECKBOX, mute.left, mute.top,
                               mute.right - mute.left, mute.bottom - mute.top, Handle(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kMuteBoxId)), instance_, nullptr);
    AddClickableAreas();
    AddToolTips();
    wheelHook_ = std::make_unique<WheelHook>(Handle());
    return true;
}

void Form1Window::CreateReadout() {
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
    {
        ScopedGetDC screen(nullptr);
        ScopedSelectObject selected(screen.get(), readoutFont_.get());
        GetTextExtentPoint32A(screen.get(), "100", 3, &widest);
    }
    RECT readout = PixelRectOf(form1::kReadout);
    const int textWidth = std::max<int>(readout.right - readout.left, widest.cx);
    const int centre2 = readout.left + readout.right;
    readout.left = (centre2 - textWidth) / 2;
    readout.right = readout.left + textWidth;
    readoutBrush_.reset(CreateSolidBrush(form1::kReadoutBackColor));
    readout_ = CreateWindowExA(0, "STATIC", form1::kReadoutDesignCaption,
                               WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, readout.left,
                               readout.top, readout.right - readout.left, readout.bottom - readout.top, Handle(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kReadoutId)), instance_, nullptr);
    SendMessageA(readout_, WM_SETFONT, reinterpret_cast<WPARAM>(readoutFont_.get()), FALSE);
    readoutShown_ = form1::kReadoutDesignCaption;
}

void Form1Window::AddClickableAreas() {
    // Added in the order of Element.
    areas_.Add({PixelRectOf(form1::kClose), handCursor_, form1::kTipClose, [this] { form_.Image5_Click(); }, {}});
    areas_.Add({PixelRectOf(form1::kAudioPropertiesSpot), handCursor_, form1::kTipAudioProperties,
                [this] { form_.Image3_Click(); }, [this] { form_.Image3_DblClick(); }});
    areas_.Add({PixelRectOf(form1::kVolumeControlSpot),
                handCursor_,
                form1::kTipVolumeControl,
                [this] { form_.Image4_Click(); },
                {}});
    areas_.Add({PixelRectOf(form1::kReadout), nullptr, form1::kTipReadout, {}, {}});
    areas_.Add({PixelRectOf(form1::kTrack), nullptr, nullptr, [this] { form_.Image1_Click(); }, {}});
}

void Form1Window::AddToolTips() {
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
    mute.lpszText = const_cast<char*>(form1::kTipMute);
    SendMessageA(toolTips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&mute));
}

void Form1Window::RelayToToolTips(UINT message, WPARAM wParam, LPARAM lParam) {
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

HBITMAP Form1Window::LoadPicture(int resourceId, const char* what) {
    auto* picture =
        static_cast<HBITMAP>(LoadImageA(instance_, MAKEINTRESOURCE(resourceId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    if (!picture) {
        throw std::runtime_error(std::string("Unable to load the ") + what + " picture.");
    }
    return picture;
}

RECT Form1Window::PixelRectOf(const TwipsRect& twips) const {
    return ClientRectOf(twips, twipsPerPixelX_, twipsPerPixelY_);
}

void Form1Window::SetWindowRegion(int width, int height, int ellipseWidth, int ellipseHeight) {
    SetRoundedRegion(Handle(), width, height, ellipseWidth, ellipseHeight);
}

void Form1Window::SetKnobRegion(int width, int height, int ellipseWidth, int ellipseHeight) {
    SetRoundedRegion(KnobWindow(), width, height, ellipseWidth, ellipseHeight);
}

void Form1Window::ShowSkin() {
    skin_.reset(LoadPicture(IDB_SKIN, "skin"));
    InvalidateRect(Handle(), nullptr, TRUE);
}

void Form1Window::ShowKnobPicture() {
    knobPicture_.reset(LoadPicture(IDB_KNOB, "knob"));
    if (knob_) {
        knob_->SetPicture(knobPicture_.get());
    }
}

// The volume-sync timer places the knob and writes the read-out on every tick; only a change reaches the window
// system, so a still volume costs no window moves, texts or repaints.
void Form1Window::SetKnobTop(float twips) {
    const int top = TwipsToPixels(twips, twipsPerPixelY_);
    if (top == knobTopShown_) {
        return;
    }
    const RECT knob = PixelRectOf(form1::kKnob);
    SetWindowPos(KnobWindow(), nullptr, knob.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    knobTopShown_ = top;
}

void Form1Window::SetReadout(const std::string& caption) {
    if (caption == readoutShown_) {
        return;
    }
    SetWindowTextA(readout_, caption.c_str());
    readoutShown_ = caption;
}

void Form1Window::SetMuteBoxBackColor(std::uint32_t colorref) {
    muteBoxBrush_.reset(CreateSolidBrush(colorref));
    InvalidateRect(muteBox_, nullptr, TRUE);
}

void Form1Window::SetMuteBox(bool ticked) {
    SendMessageA(muteBox_, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Form1Window::SetOpacity(int alpha) {
    // The layered style replaces the whole extended style, as the fade has always done.
    SetWindowLongA(Handle(), GWL_EXSTYLE, WS_EX_LAYERED);
    SetLayeredWindowAttributes(Handle(), RGB(0xFF, 0, 0), static_cast<BYTE>(alpha), LWA_ALPHA);
}

void Form1Window::ShowAt(int x, int y) {
    SetWindowPos(Handle(), HWND_NOTOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
}

void Form1Window::SetTopmost(bool topmost) {
    SetWindowPos(Handle(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

void Form1Window::MoveWindowBy(float dxTwips, float dyTwips) {
    // The window's place in twips is its place in whole pixels; each axis is moved and rounded on its own.
    RECT r{};
    GetWindowRect(Handle(), &r);
    const int left = TwipsToPixels(r.left * twipsPerPixelX_ + dxTwips, twipsPerPixelX_);
    const int top = TwipsToPixels(r.top * twipsPerPixelY_ + dyTwips, twipsPerPixelY_);
    SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1Window::EnableTimer(Form1Timer timer, bool enabled) {
    timers_.Enable(Handle(), TimerId(timer), enabled);
}

Form1Window::Element Form1Window::HitTest(int x, int y) const {
    const int index = areas_.HitTest({x, y});
    return index == ClickableAreas::kNone ? Element::Background : static_cast<Element>(index);
}

void Form1Window::OnMouse(UINT message, WPARAM wParam, int x, int y) {
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
    const bool endsDoubleClick = button == kLeftButton && std::exchange(doubleClicked_, false);
    if (button == kLeftButton && wasDown && !endsDoubleClick && HitTest(x, y) == element) {
        DispatchClick(element);
    }
}

void Form1Window::DispatchClick(Element element) {
    if (element == Element::Background) {
        form_.Form_Click();
    } else {
        areas_.Click(static_cast<int>(element));
    }
}

void Form1Window::DispatchDoubleClick(Element element) {
    if (element == Element::Background) {
        form_.Form_DblClick();
    } else {
        areas_.DoubleClick(static_cast<int>(element));
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

void Form1Window::OnKnobMouseDown(int button, int x, int y) {
    const HandlerScope scope(handlersRunning_);
    form_.image2_MouseDown(button, ShiftState(), static_cast<float>(x * twipsPerPixelX_),
                           static_cast<float>(y * twipsPerPixelY_));
}

void Form1Window::OnKnobMouseMove(int buttons, int x, int y) {
    const HandlerScope scope(handlersRunning_);
    form_.image2_MouseMove(buttons, ShiftState(), static_cast<float>(x * twipsPerPixelX_),
                           static_cast<float>(y * twipsPerPixelY_));
}

void Form1Window::OnKnobMouseUp(int button, int x, int y) {
    const HandlerScope scope(handlersRunning_);
    form_.image2_MouseUp(button, ShiftState(), static_cast<float>(x * twipsPerPixelX_),
                         static_cast<float>(y * twipsPerPixelY_));
}

void Form1Window::OnKnobClick() {
    const HandlerScope scope(handlersRunning_);
    form_.image2_Click();
}

void Form1Window::OnTimer(UINT_PTR id) {
    if (id == TimerId(Form1Timer::DragHandler)) {
        form_.tmr_drag_handler_Timer();
    } else if (id == TimerId(Form1Timer::Fade)) {
        form_.Timer1_Timer();
    } else if (id == TimerId(Form1Timer::SyncVolume)) {
        form_.tmrsyncvol_Timer();
    }
}

bool Form1Window::OnKeyDown(WPARAM key) {
    static constexpr struct {
        WPARAM key;
        Form1Key meaning;
    } kKeys[] = {{VK_UP, Form1Key::Up},       {VK_DOWN, Form1Key::Down},    {VK_LEFT, Form1Key::Left},
                 {VK_RIGHT, Form1Key::Right}, {VK_PRIOR, Form1Key::PageUp}, {VK_NEXT, Form1Key::PageDown},
                 {VK_HOME, Form1Key::Home},   {VK_END, Form1Key::End},      {VK_SPACE, Form1Key::Space},
                 {'M', Form1Key::M},          {VK_ESCAPE, Form1Key::Escape}};
    for (const auto& entry : kKeys) {
        if (entry.key == key) {
            form_.KeyDown(entry.meaning);
            return true;
        }
    }
    return false;
}

bool Form1Window::OnSetCursor(HWND over, UINT hitTest) {
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
        DrawBitmap(dc, skin_.get(), 0, 0, TwipsToPixels(kSkinWidth, twipsPerPixelX_), client.bottom);
    }
    if (closePicture_) {
        const RECT close = PixelRectOf(form1::kClose);
        DrawBitmap(dc, closePicture_.get(), close.left, close.top, close.right - close.left, close.bottom - close.top);
    }
    EndPaint(Handle(), &paint);
}

LRESULT Form1Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HandlerScope scope(handlersRunning_);
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
            form_.SetMuteBox(form_.State().chkmute == 1 ? 0 : 1);
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
        form_.MouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_DESTROY:
        timers_.KillAll(Handle());
        wheelHook_.reset();
        form_.Form_Unload();
        return 0;
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

void Form1Window::OnFinalMessage() {
    // The child windows are gone by now: the pictures, the font and the brushes they used can go too. The knob's
    // object stays with the showing: a handler still running may address it (its window is gone).
    readout_ = muteBox_ = toolTips_ = nullptr;
    skin_.reset();
    knobPicture_.reset();
    closePicture_.reset();
    readoutFont_.reset();
    readoutBrush_.reset();
    muteBoxBrush_.reset();
}

} // namespace kob
