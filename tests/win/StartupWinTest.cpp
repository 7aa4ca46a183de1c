// The start-up with the real windows: the controller's load leaves the device name known for About without any
// window of the controller being made, shown or activated. The master volume is the Core Audio endpoint, whose device
// has a name under Wine (winmm's has none); everything else the start-up touches is a fake.
#include <gtest/gtest.h>

#include <windows.h>

#include <objbase.h>

#include <algorithm>
#include <string>
#include <vector>

#include "WinTestFiles.h"
#include "controller/win32/ControllerWindow.h"
#include "fakes/TrayAppOnFakes.h"
#include "platform/win32/Win32Screen.h"
#include "tray/win32/TrayIcon.h"
#include "tray/win32/TrayWindow.h"
#include "volume/win32/CoreAudioEndpoint.h"
#include "volume/win32/EndpointVolume.h"

namespace kob::test {
namespace {

// The real tray window, keeping the device name it gives the About window.
struct TrayWindowTellingAbout : TrayWindow {
    using TrayWindow::TrayWindow;
    void ShowAbout(const std::string& deviceName) override {
        aboutNames = deviceName;
        TrayWindow::ShowAbout(deviceName);
    }
    std::string aboutNames;
};

// What the window system did on this thread while the hook was in place.
struct WindowEvents {
    std::vector<std::string> created;
    int activated = 0;
    int shown = 0;
};
WindowEvents* g_events = nullptr;

LRESULT CALLBACK RecordWindowEvent(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
        char name[64] = {};
        GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof(name));
        g_events->created.emplace_back(name);
        g_events->shown += (create->lpcs->style & WS_VISIBLE) ? 1 : 0;
    } else if (code == HCBT_ACTIVATE) {
        ++g_events->activated;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK CountVisible(HWND window, LPARAM count) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == GetCurrentProcessId() && IsWindowVisible(window)) {
        ++*reinterpret_cast<int*>(count);
    }
    return TRUE;
}

// The program's tray window on Wine's null audio device, over fake settings and boxes; COM goes after its objects.
class StartupWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(com.started));
        ASSERT_TRUE(endpoint.Resolve()) << "the Core Audio endpoint of the null device";
    }

    struct ComThread {
        HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ~ComThread() { CoUninitialize(); }
    } com;
    CoreAudioEndpoint endpoint;
    EndpointVolume volume{endpoint};
    TrayAppOnFakes fakes;
    FakePlatform& p = fakes.platform;
    Win32Screen screen;
    TrayWindowTellingAbout trayWindow{
        GetModuleHandleA(nullptr),
        TrayAppServices{p.messages, p.process, p.settings, p.processList, p.systemInfo, p.modulePath, p.launcher},
        [this]() -> VolumeDevice& { return volume; }, ControllerServices{screen, p.settings, p.launcher},
        NewControllerWindows(GetModuleHandleA(nullptr), screen)};
};

TEST_F(StartupWinTest, TheControllersLoadNamesTheDeviceForAboutWithoutAnyControllerWindow) {
    const std::string name = endpoint.FriendlyName();
    ASSERT_FALSE(name.empty());

    WindowEvents events;
    g_events = &events;
    const HWND foreground = GetForegroundWindow();
    HHOOK hook = SetWindowsHookExA(WH_CBT, RecordWindowEvent, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    trayWindow.Start();
    UnhookWindowsHookEx(hook);
    g_events = nullptr;

    EXPECT_TRUE(p.messages.shown.empty());
    // The tray window, and whatever the system makes for every thread (Wine: the input method's window).
    EXPECT_NE(std::find(events.created.begin(), events.created.end(), "DrovoVC3Companion"), events.created.end());
    EXPECT_EQ(std::find(events.created.begin(), events.created.end(), "DrovoVC3Controller"), events.created.end());
    EXPECT_EQ(std::find(events.created.begin(), events.created.end(), "DrovoVC3Knob"), events.created.end());
    EXPECT_EQ(events.shown, 0);
    EXPECT_EQ(events.activated, 0);
    EXPECT_EQ(GetForegroundWindow(), foreground);
    int visible = 0;
    EnumWindows(CountVisible, reinterpret_cast<LPARAM>(&visible));
    EXPECT_EQ(visible, 0);

    // About is given the endpoint's name, known before any controller was ever opened.
    trayWindow.Logic().RunMenuCommand(MenuCommand::About);
    HWND about = FindWindowA("DrovoVC3About", nullptr);
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(IsWindowVisible(about));
    EXPECT_EQ(trayWindow.aboutNames, name);
    EXPECT_EQ(FindWindowA("DrovoVC3Controller", nullptr), nullptr);
}

TEST_F(StartupWinTest, CreationAndDestructionMessagesOfAnotherProgramLeaveTheTrayAndTheControllerWorking) {
    trayWindow.Start();
    trayWindow.Logic().OnTrayIconEvent(TrayIconEvent::LeftButtonUp);
    const HWND tray = trayWindow.Handle();
    const HWND controller = FindWindowA("DrovoVC3Controller", nullptr);
    ASSERT_NE(controller, nullptr);
    EXPECT_EQ(RunToEnd("\"" + TestProgramFolder() + "\\ForgeProbe.exe\" " +
                       std::to_string(reinterpret_cast<UINT_PTR>(tray)) + " " +
                       std::to_string(reinterpret_cast<UINT_PTR>(controller))),
              0u);

    bool muted = volume.Muted().Value();
    SendMessageA(FindWindowExA(controller, nullptr, "BUTTON", nullptr), BM_CLICK, 0, 0);
    EXPECT_NE(volume.Muted().Value(), muted) << "the controller's mute box switches the mute";
    muted = volume.Muted().Value();
    SendMessageA(tray, TrayIcon::kCallbackMessage, TrayIcon::kId, WM_MBUTTONUP);
    EXPECT_NE(volume.Muted().Value(), muted) << "so does a middle click on the tray icon";
    // As the setup closes the program: its message loop ends with 0.
    SendMessageA(tray, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(tray));
    MSG quit{};
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 0u);
    EXPECT_TRUE(p.messages.shown.empty());
}

} // namespace
} // namespace kob::test
