// The tray icon's record against the published layout the shell reads.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "tray/win32/TrayIcon.h"

namespace kob::test {
namespace {

TEST(TrayIcon, TheRecordIsTheFirst88ByteLayoutWithTheProgramsTipPaddedWithBlanks) {
    TrayIcon icon;
    EXPECT_EQ(icon.Record().cbSize, 88u);
    const HWND window = reinterpret_cast<HWND>(0x1234);
    const HICON picture = LoadIcon(nullptr, IDI_APPLICATION);
    icon.Fill(window, picture);
    const NOTIFYICONDATAA& record = icon.Record();
    EXPECT_EQ(record.cbSize, 88u);
    EXPECT_EQ(record.hWnd, window);
    EXPECT_EQ(record.uID, 1u);
    EXPECT_EQ(record.uFlags, 7u);
    EXPECT_EQ(record.uCallbackMessage, 0x201u);
    EXPECT_EQ(record.hIcon, picture);
    const std::string tip = std::string("Drovo Volume Controller 3.0") + '\0' + std::string(36, ' ');
    ASSERT_EQ(tip.size(), 64u);
    EXPECT_EQ(std::memcmp(record.szTip, tip.data(), 64), 0);
    // The tip field ends exactly where the 88 bytes end.
    EXPECT_EQ(reinterpret_cast<const char*>(&record.szTip) + 64 - reinterpret_cast<const char*>(&record), 88);

    const HICON muted = LoadIcon(nullptr, IDI_WARNING);
    icon.Modify(muted);
    EXPECT_EQ(icon.Record().hIcon, muted);
    EXPECT_EQ(std::memcmp(icon.Record().szTip, tip.data(), 64), 0) << "the tip stays";
    EXPECT_EQ(icon.Record().uCallbackMessage, 0x201u);
}

} // namespace
} // namespace kob::test
