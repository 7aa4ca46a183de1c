#pragma once

#include <windows.h>

#include <shellapi.h>

#include <optional>

#include "tray/TrayView.h"

namespace kob {

// The program's single notification-area icon and its record, TrayIconData: the 88-byte first layout of the
// ANSI NOTIFYICONDATA, which every version of the shell accepts. The record is filled once and reused by every
// change of the icon. A shell that refuses the icon (busy at log-on, or one that lost it) is asked again at the
// next change until it takes it; a healthy shell sees exactly the calls it always did.
class TrayIcon {
public:
    static constexpr DWORD kRecordSize = 88;
    static constexpr UINT kId = 1;
    // Reports arrive as this message (WM_LBUTTONDOWN), the mouse event in the low word of lParam.
    static constexpr UINT kCallbackMessage = 0x201;

    TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    ~TrayIcon() { Delete(); }

    // Fills the record for the window that hears the reports, with the picture and the program's tip.
    void Fill(HWND window, HICON icon);
    // Asks the shell to show the icon from now on; false when it refused this time.
    [[nodiscard]] bool Add();
    // Changes the picture; an icon the shell does not have (yet) is added instead.
    void Modify(HICON icon);
    // Puts the icon back after the shell has restarted, if it was shown.
    void Restore();
    // Takes the icon out of the notification area, if it is there.
    void Delete();

    // The icon's place on the screen, where the shell tells it (Windows 7 and later) and has the icon.
    std::optional<RECT> ScreenRect() const;

    const NOTIFYICONDATAA& Record() const { return record_; }

private:
    // Sends the record as a change of the icon the shell is believed to have, or as a new one; when the shell
    // refuses, the other way round.
    void Send();

    NOTIFYICONDATAA record_{};
    // The icon is wanted in the notification area (Add has been called and Delete not since).
    bool added_ = false;
    // The shell took the icon at the last call.
    bool shown_ = false;
};

// What a report of the icon says the mouse did: its mouse message, from the low word of the report's lParam.
inline TrayIconEvent TrayIconEventOf(UINT mouseMessage) {
    switch (mouseMessage) {
    case WM_LBUTTONUP:
        return TrayIconEvent::LeftButtonUp;
    case WM_LBUTTONDBLCLK:
        return TrayIconEvent::LeftDoubleClick;
    case WM_RBUTTONDOWN:
        return TrayIconEvent::RightButtonDown;
    case WM_MBUTTONUP:
        return TrayIconEvent::MiddleButtonUp;
    default:
        return TrayIconEvent::Other;
    }
}

} // namespace kob
