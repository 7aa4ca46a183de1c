#include "tray/win32/TrayIcon.h"

#include <cstddef>
#include <cstring>

#include "common/AppTitle.h"

namespace kob {

namespace {

// The first layout's tip field.
constexpr std::size_t kTipCharacters = 64;

} // namespace

static_assert(offsetof(NOTIFYICONDATAA, szTip) + kTipCharacters == TrayIcon::kRecordSize);

TrayIcon::TrayIcon() {
    record_.cbSize = kRecordSize;
}

void TrayIcon::Fill(HWND window, HICON icon) {
    record_.hWnd = window;
    record_.uID = kId;
    record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record_.uCallbackMessage = kCallbackMessage;
    record_.hIcon = icon;
    // The title, one NUL, then blanks to the end of the field.
    std::memset(record_.szTip, ' ', kTipCharacters);
    const std::size_t length = std::strlen(kAppTitle);
    std::memcpy(record_.szTip, kAppTitle, length);
    record_.szTip[length] = '\0';
}

void TrayIcon::Add() {
    Shell_NotifyIconA(NIM_ADD, &record_);
    added_ = true;
}

void TrayIcon::Modify(HICON icon) {
    record_.cbSize = kRecordSize;
    record_.hIcon = icon;
    record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record_.uID = kId;
    Shell_NotifyIconA(NIM_MODIFY, &record_);
}

void TrayIcon::Restore() {
    if (added_) {
        Shell_NotifyIconA(NIM_ADD, &record_);
    }
}

void TrayIcon::Delete() {
    if (added_) {
        Shell_NotifyIconA(NIM_DELETE, &record_);
        added_ = false;
    }
}

} // namespace kob
