// The test sound's MCI device against Wine's winmm on the null audio device.
#include <gtest/gtest.h>

#include <windows.h>

#include <mmsystem.h>

#include <cstdint>
#include <fstream>
#include <vector>

#include "WinTestFiles.h"
#include "tray/win32/MciSoundDevice.h"

namespace kob::test {
namespace {

// A short, silent 8-bit mono PCM wave file.
void WriteWave(const std::string& path, std::uint32_t samples) {
    const auto u32 = [](std::ofstream& out, std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    const auto u16 = [](std::ofstream& out, std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    u32(out, 36 + samples);
    out.write("WAVEfmt ", 8);
    u32(out, 16);
    u16(out, 1);
    u16(out, 1);
    u32(out, 8000);
    u32(out, 8000);
    u16(out, 1);
    u16(out, 8);
    out.write("data", 4);
    u32(out, samples);
    std::vector<char> silence(samples, static_cast<char>(0x80));
    out.write(silence.data(), samples);
}

// A message-only window that keeps the last MCI notification.
struct NotifyWindow {
    NotifyWindow() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &NotifyWindow::Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "KobMciNotify";
        RegisterClassA(&windowClass);
        handle =
            CreateWindowA("KobMciNotify", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
    }
    ~NotifyWindow() { DestroyWindow(handle); }
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == MM_MCINOTIFY) {
            last = {wParam, lParam, true};
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    struct Notification {
        WPARAM flags;
        LPARAM device;
        bool arrived;
    };
    static inline Notification last{};
    HWND handle;
};

bool PumpUntilNotified(DWORD milliseconds) {
    return PumpUntil([] { return NotifyWindow::last.arrived; }, milliseconds);
}

TEST(MciSoundDevice, PlaysAWaveThroughAndReportsItsEndButNotAStopOfOurOwn) {
    ScratchFolder folder("kobmci");
    const std::string wave = folder.path() + "\\POURING.WAV";
    const std::string longWave = folder.path() + "\\LONG.WAV";
    WriteWave(wave, 1600);
    WriteWave(longWave, 80000); // ten seconds
    NotifyWindow window;
    NotifyWindow::last = {};
    MciSoundDevice device;
    device.SetNotifyWindow(window.handle);
    ASSERT_TRUE(device.Open(wave));
    ASSERT_TRUE(device.Play());
    ASSERT_TRUE(PumpUntilNotified(10000));
    EXPECT_TRUE(device.IsEndOfPlayback(NotifyWindow::last.flags, NotifyWindow::last.device));
    EXPECT_TRUE(device.IsEndOfPlayback(MCI_NOTIFY_FAILURE, NotifyWindow::last.device)) << "a failed playback ended too";
    EXPECT_TRUE(device.Stop());
    EXPECT_TRUE(device.Close());

    NotifyWindow::last = {};
    ASSERT_TRUE(device.Open(longWave));
    ASSERT_TRUE(device.Play());
    EXPECT_TRUE(device.Stop());
    if (PumpUntilNotified(2000)) {
        EXPECT_FALSE(device.IsEndOfPlayback(NotifyWindow::last.flags, NotifyWindow::last.device));
    }
    EXPECT_TRUE(device.Close());
    EXPECT_TRUE(device.Open(longWave)) << "the alias is free again";
    EXPECT_TRUE(device.Close());
}

TEST(MciSoundDevice, AMissingFileFailsToOpenAndToPlay) {
    MciSoundDevice device;
    EXPECT_FALSE(device.Open("C:\\no such folder\\POURING.WAV"));
    EXPECT_FALSE(device.Play());
    EXPECT_FALSE(device.Open("")) << "no file, nothing to open";
}

} // namespace
} // namespace kob::test
