#include "tray/win32/Form2Window.h"

#include <mmsystem.h>
#include <shellapi.h>

#include "ResourceIds.h"
#include "common/Twips.h"
#include "platform/win32/ScreenMetrics.h"
#include "tray/win32/BaseMenu.h"

namespace kob {

namespace {

constexpr const char* kWindowClass = "DrovoVC3Companion";
constexpr UINT_PTR kMuteMonitorTimer = 1;
constexpr UINT kMuteMonitorInterval = 100;
// Posted to itself: free the controller showings that have ended, once their own messages are over.
constexpr UINT kDiscardControllers = WM_APP + 1;

// The window's design in twips: its client area, and its place beyond the right edge of the desktop.
constexpr TwipsRect kDesign{19470, -495, 1110, 450};

HICON LoadTrayPicture(HINSTANCE instance, int id) {
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCE(id), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
}

} // namespace

Form2Window::Form2Window(HINSTANCE instance, const Form2Services& services, MixerService& mixerDevice,
                         Form1Factory& controllers)
    : instance_(instance), services_(services), form_(*this, services, mixerDevice, MMC1_, controllers),
      timers_({{kMuteMonitorTimer, kMuteMonitorInterval}}), normalIcon_(LoadTrayPicture(instance, IDI_TRAY_NORMAL)),
      mutedIcon_(LoadTrayPicture(instance, IDI_TRAY_MUTED)), menu_(BuildBaseMenu()),
      taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")) {}

Form2Window::~Form2Window() {
    Destroy();
}

bool Form2Window::Create() {
    const PixelRect place = ToPixels(kDesign, ScreenTwipsPerPixel(LOGPIXELSX), ScreenTwipsPerPixel(LOGPIXELSY));
    // A fixed tool window with an empty caption: the design gives its client area.
    WindowPlan plan = FixedToolWindow(instance_, kWindowClass, "", place.width, place.height, place.left, place.top);
    plan.icon = LoadIcon(instance_, MAKEINTRESOURCE(IDI_PROGRAM));
    if (!WindowBase::Create(plan)) {
        return false;
    }
    MMC1_.SetNotifyWindow(Handle());
    return true;
}

void Form2Window::HideFromTaskList() {
    // Only visible windows without the tool-window style are listed; this one is a tool window and never shown.
    ShowWindow(Handle(), SW_HIDE);
}

void Form2Window::EnableMuteMonitor(bool enabled) {
    timers_.Enable(Handle(), kMuteMonitorTimer, enabled);
}

void Form2Window::AddTrayIcon() {
    trayIcon_.Fill(Handle(), normalIcon_.get());
    // A shell too busy to take it now is asked again at the mute monitor's next tick, which re-sends the icon.
    (void)trayIcon_.Add();
}

void Form2Window::ShowTrayPicture(TrayPicture picture) {
    // Only the tray shows the picture: the companion window is never seen, so its own icon is left alone (setting
    // it made the window system convert the picture twice on every tick of the mute monitor).
    trayIcon_.Modify(picture == TrayPicture::Muted ? mutedIcon_.get() : normalIcon_.get());
}

void Form2Window::DiscardControllersLater() {
    PostMessageA(Handle(), kDiscardControllers, 0, 0);
}

void Form2Window::RemoveTrayIcon() {
    trayIcon_.Delete();
}

void Form2Window::BringToForeground() {
    SetForegroundWindow(Handle());
}

MenuCommand Form2Window::ShowMenu(const OnTopItem& ontop) {
    const UINT ontopId = MenuIdOf(MenuCommand::KeepOnTop);
    CheckMenuItem(menu_.get(), ontopId, MF_BYCOMMAND | (ontop.checked ? MF_CHECKED : MF_UNCHECKED));
    EnableMenuItem(menu_.get(), ontopId, MF_BYCOMMAND | (ontop.enabled ? MF_ENABLED : MF_GRAYED));
    POINT pointer{};
    GetCursorPos(&pointer);
    const UINT chosen =
        static_cast<UINT>(TrackPopupMenu(menu_.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_LEFTBUTTON,
                                         pointer.x, pointer.y, 0, Handle(), nullptr));
    // Without it the menu of a background window may stay open when the user clicks elsewhere.
    PostMessageA(Handle(), WM_NULL, 0, 0);
    return CommandOfMenuId(chosen);
}

void Form2Window::ShowAbout() {
    about_.Show(
        [&] { return std::make_unique<Form3Window>(instance_, form_.MasterMixer().MixerDeviceName(), browser_); });
}

void Form2Window::ShowOptions() {
    options_.Show([&] {
        return std::make_unique<Form4Window>(instance_, services_.registry, services_.messages, services_.modulePath,
                                             RunEntryVal_);
    });
}

void Form2Window::OpenMaximized(const std::u16string& document) {
    const std::wstring path(document.begin(), document.end());
    ShellExecuteW(Handle(), nullptr, path.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

LRESULT Form2Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarCreated_) {
        // The shell has restarted and forgotten the icon.
        trayIcon_.Restore();
        return 0;
    }
    switch (message) {
    case TrayIcon::kCallbackMessage:
        if (wParam == TrayIcon::kId) {
            form_.TrayReport(LOWORD(lParam));
        }
        return 0;
    case MM_MCINOTIFY:
        if (MMC1_.IsEndOfPlayback(wParam, lParam)) {
            form_.MMC1_Done();
        }
        return 0;
    case WM_TIMER:
        if (wParam == kMuteMonitorTimer) {
            form_.tmrmute_Timer();
        }
        return 0;
    case kDiscardControllers:
        form_.DiscardFinishedControllers();
        return 0;
    case WM_CLOSE:
        form_.Form_Unload();
        Destroy();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // The session ends: the process is ended after this message without WM_CLOSE.
        if (wParam) {
            form_.Form_Unload();
        }
        return 0;
    case WM_DESTROY:
        timers_.KillAll(Handle());
        trayIcon_.Delete();
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

void Form2Window::OnFinalMessage() {
    // The window no longer shows the pictures nor the menu: they can go.
    normalIcon_.reset();
    mutedIcon_.reset();
    menu_.reset();
}

} // namespace kob
