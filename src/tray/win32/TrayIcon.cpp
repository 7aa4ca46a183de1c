#include "tray/win32/TrayIcon.h"

#include <cstddef>
#include <cstring>

#include "common/AppTitle.h"
#include "platform/win32/DynamicCalls.h"

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

bool TrayIcon::Add() {
    added_ = true;
    shown_ = Shell_NotifyIconA(NIM_ADD, &record_) != FALSE;
    return shown_;
}

void TrayIcon::Modify(HICON icon) {
    record_.cbSize = kRecordSize;
    record_.hIcon = icon;
    record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record_.uID = kId;
    // Before the start-up has added the icon a change must not add it: a refused start never shows one.
    if (added_) {
        Send();
    }
}

void TrayIcon::Send() {
    const DWORD first = shown_ ? NIM_MODIFY : NIM_ADD;
    const DWORD second = shown_ ? NIM_ADD : NIM_MODIFY;
    // A refused change means the shell has lost the icon; a refused addition may mean it has it after all.
    shown_ = Shell_NotifyIconA(first, &record_) != FALSE || Shell_NotifyIconA(second, &record_) != FALSE;
}

void TrayIcon::Restore() {
    if (added_) {
        shown_ = Shell_NotifyIconA(NIM_ADD, &record_) != FALSE;
    }
}

std::optional<RECT> TrayIcon::ScreenRect() const {
    const auto getRect = dynamic::Shell32().shellNotifyIconGetRect;
    if (!getRect || !shown_) {
        return std::nullopt;
    }
    const dynamic::NotifyIconIdentifier icon{sizeof(dynamic::NotifyIconIdentifier), record_.hWnd, record_.uID, GUID{}};
    RECT place{};
    if (FAILED(getRect(&icon, &place)) || IsRectEmpty(&place)) {
        return std::nullopt;
    }
    return place;
}

void TrayIcon::Delete() {
    if (added_) {
        Shell_NotifyIconA(NIM_DELETE, &record_);
        added_ = false;
        shown_ = false;
    }
}

} // namespace kob
