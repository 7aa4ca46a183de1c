#pragma once

#include <windows.h>

#include <shellapi.h>

namespace kob {

// The program's single notification-area icon and its record, TrayIconData: the 88-byte first layout of the
// ANSI NOTIFYICONDATA, which every version of the shell accepts. The record is filled once and reused by every
// change of the icon.
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
    void Add();
    void Modify(HICON icon);
    // Puts the icon back after the shell has restarted, if it was shown.
    void Restore();
    // Takes the icon out of the notification area, if it is there.
    void Delete();

    const NOTIFYICONDATAA& Record() const { return record_; }

private:
    NOTIFYICONDATAA record_{};
    bool added_ = false;
};

} // namespace kob
