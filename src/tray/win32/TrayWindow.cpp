#include "tray/win32/TrayWindow.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <utility>

#include "ResourceIds.h"
#include "common/OutsideNames.h"
#include "common/Twips.h"
#include "platform/win32/DynamicCalls.h"
#include "platform/win32/ScreenMetrics.h"
#include "tray/win32/PopupMenu.h"

namespace kob {

namespace {

constexpr UINT_PTR kMuteMonitorTimer = 1;
constexpr UINT kMuteMonitorInterval = 100;
// Posted by the wheel's watch over the tray icon: a turn of the wheel there, as WM_MOUSEWHEEL gives it.
constexpr UINT kTrayIconWheel = WM_APP + 2;

// The window's design in twips: its client area, and its place beyond the right edge of the desktop.
constexpr TwipsRect kDesign{19470, -495, 1110, 450};

// The small-icon size at the display's DPI, which the notification area shows. A program the system scales for a
// high DPI (Windows 8.1 and later at every scale above 100 %, older ones from 144 dpi) is told 16 however large
// the icons are drawn; from Windows 10 (1607) on, the thread can ask for a moment as a DPI-aware one instead.
SIZE SmallIconSize() {
    using DpiContext = HANDLE;
    const auto setContext = dynamic::User32().setThreadDpiAwarenessContext;
    // DPI_AWARENESS_CONTEXT_SYSTEM_AWARE
    const DpiContext previous = setContext ? setContext(reinterpret_cast<DpiContext>(-2)) : nullptr;
    const SIZE size{GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)};
    if (previous) {
        setContext(previous);
    }
    return size;
}

// The picture's frame drawn for the small-icon size, which the tray shows as it is, neither shrunk nor stretched.
HICON LoadTrayPicture(HINSTANCE instance, int id) {
    const SIZE size = SmallIconSize();
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCE(id), IMAGE_ICON, size.cx, size.cy, LR_DEFAULTCOLOR));
}

} // namespace

TrayWindow::TrayWindow(HINSTANCE instance, const TrayAppServices& services,
                       MasterVolume::DeviceChoice chooseVolumeDevice, const ControllerServices& controllerServices,
                       ControllerWindowMaker makeControllerWindow)
    : instance_(instance), services_(services), app_(*this, services, std::move(chooseVolumeDevice), soundDevice_,
                                                     controllerServices, std::move(makeControllerWindow)),
      timers_({{kMuteMonitorTimer, kMuteMonitorInterval}}), normalIcon_(LoadTrayPicture(instance, IDI_TRAY_NORMAL)),
      mutedIcon_(LoadTrayPicture(instance, IDI_TRAY_MUTED)), menu_(BuildTrayMenu()),
      taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")) {}

TrayWindow::~TrayWindow() {
    Destroy();
}

bool TrayWindow::Create() {
    const PixelRect place = ToPixels(kDesign, ScreenTwipsPerPixel(LOGPIXELSX), ScreenTwipsPerPixel(LOGPIXELSY));
    // A fixed tool window with an empty caption: the design gives its client area.
    WindowPlan plan =
        FixedToolWindow(instance_, kCompanionWindowClass, "", place.width, place.height, place.left, place.top);
    plan.icon = LoadIcon(instance_, MAKEINTRESOURCE(IDI_PROGRAM));
    if (!WindowBase::Create(plan)) {
        return false;
    }
    soundDevice_.SetNotifyWindow(Handle());
    iconWheel_.emplace(Handle(), kTrayIconWheel, [this] { return trayIcon_.ScreenRect(); });
    return true;
}

void TrayWindow::HideFromTaskList() {
    // Only visible windows without the tool-window style are listed; this one is a tool window and never shown.
    ShowWindow(Handle(), SW_HIDE);
}

void TrayWindow::EnableMuteMonitor(bool enabled) {
    timers_.Enable(Handle(), kMuteMonitorTimer, enabled);
}

void TrayWindow::AddTrayIcon() {
    trayIcon_.Fill(Handle(), normalIcon_.get());
    // A shell too busy to take it now is asked again at the mute monitor's next tick, which re-sends the icon.
    (void)trayIcon_.Add();
}

void TrayWindow::ShowTrayPicture(TrayPicture picture) {
    // Only the tray shows the picture: the tray window is never seen, so its own icon is left alone (setting
    // it made the window system convert the picture twice on every tick of the mute monitor).
    trayIcon_.Modify(picture == TrayPicture::Muted ? mutedIcon_.get() : normalIcon_.get());
}

void TrayWindow::RemoveTrayIcon() {
    trayIcon_.Delete();
}

void TrayWindow::BringToForeground() {
    SetForegroundWindow(Handle());
}

MenuCommand TrayWindow::ShowMenu(const KeepOnTopItem& keepOnTop) {
    const UINT keepOnTopId = MenuIdOf(MenuCommand::KeepOnTop);
    CheckMenuItem(menu_.get(), keepOnTopId, MF_BYCOMMAND | (keepOnTop.checked ? MF_CHECKED : MF_UNCHECKED));
    EnableMenuItem(menu_.get(), keepOnTopId, MF_BYCOMMAND | (keepOnTop.enabled ? MF_ENABLED : MF_GRAYED));
    POINT pointer{};
    GetCursorPos(&pointer);
    const UINT chosen =
        static_cast<UINT>(TrackPopupMenu(menu_.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_LEFTBUTTON,
                                         pointer.x, pointer.y, 0, Handle(), nullptr));
    // Without it the menu of a background window may stay open when the user clicks elsewhere.
    PostMessageA(Handle(), WM_NULL, 0, 0);
    return CommandOfMenuId(chosen);
}

void TrayWindow::ShowAbout(const std::string& deviceName) {
    about_.Show([&] { return std::make_unique<AboutWindow>(instance_, deviceName, browser_); });
}

void TrayWindow::ShowOptions() {
    options_.Show([&] {
        return std::make_unique<OptionsWindow>(instance_, services_.settings,
                                               [this](const Notice& notice) { app_.Report(notice); });
    });
}

void TrayWindow::OpenMaximized(const std::u16string& document) {
    const std::wstring path(document.begin(), document.end());
    ShellExecuteW(Handle(), nullptr, path.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

LRESULT TrayWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarCreated_) {
        // The shell has restarted and forgotten the icon.
        trayIcon_.Restore();
        return 0;
    }
    switch (message) {
    case TrayIcon::kCallbackMessage:
        if (wParam == TrayIcon::kId) {
            OnTrayIconReport(LOWORD(lParam));
        }
        return 0;
    case kTrayIconWheel:
        app_.OnTrayIconWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case MM_MCINOTIFY:
        if (soundDevice_.IsEndOfPlayback(wParam, lParam)) {
            app_.OnTestSoundDone();
        }
        return 0;
    case WM_TIMER:
        if (wParam == kMuteMonitorTimer) {
            app_.OnMuteMonitorTick();
        }
        return 0;
    case WM_CLOSE:
        app_.OnClosedBySystem();
        Destroy();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // The session ends: the process is ended after this message without WM_CLOSE.
        if (wParam) {
            app_.OnClosedBySystem();
        }
        return 0;
    case WM_DESTROY:
        timers_.KillAll(Handle());
        iconWheel_.reset();
        trayIcon_.Delete();
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

void TrayWindow::OnTrayIconReport(UINT mouseMessage) {
    if (mouseMessage == WM_MOUSEMOVE) {
        // The report carries no place: the pointer is where it has just moved, over the icon.
        POINT at{};
        GetCursorPos(&at);
        if (iconWheel_) {
            iconWheel_->OnPointerOverIcon(at);
        }
        return;
    }
    app_.OnTrayIconEvent(TrayIconEventOf(mouseMessage));
}

void TrayWindow::OnFinalMessage() {
    // The window no longer shows the pictures nor the menu: they can go.
    normalIcon_.reset();
    mutedIcon_.reset();
    menu_.reset();
}

} // namespace kob
