// The tray icon's record against the published layout the shell reads.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstring>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "WinTestFiles.h"
#include "fakes/FakeController.h"
#include "tray/win32/PopupMenu.h"
#include "tray/win32/TrayIcon.h"
#include "tray/win32/TrayIconWheel.h"
#include "tray/win32/TrayWindow.h"

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

// A shell of our own: a top-level window of the shell's class, above Wine's, that hears every Shell_NotifyIcon
// call of this process. It answers from a script (then yes to everything) and keeps what it was asked and said.
class FakeShell {
public:
    explicit FakeShell(std::deque<BOOL> answers) : answers_(std::move(answers)) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &FakeShell::Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "Shell_TrayWnd";
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "Shell_TrayWnd", nullptr, WS_POPUP, 0, 0, 0, 0,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~FakeShell() {
        DestroyWindow(window_);
        UnregisterClassA("Shell_TrayWnd", GetModuleHandleA(nullptr));
    }
    // Each call: NIM_ADD 0, NIM_MODIFY 1, NIM_DELETE 2, and the answer given.
    std::vector<std::pair<DWORD, BOOL>> calls;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<FakeShell*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message != WM_COPYDATA || !self) {
            return DefWindowProcA(window, message, wParam, lParam);
        }
        // Wine's shell32 sends the notify-icon message as the data's identifier.
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        BOOL answer = TRUE;
        if (!self->answers_.empty()) {
            answer = self->answers_.front();
            self->answers_.pop_front();
        }
        self->calls.emplace_back(static_cast<DWORD>(data->dwData), answer);
        return answer;
    }

    std::deque<BOOL> answers_;
    HWND window_ = nullptr;
};

TEST(TrayIcon, AnIconTheShellRefusesIsAddedAgainAtTheNextChangeAndAChangeItRefusesAddsItAgain) {
    using Calls = std::vector<std::pair<DWORD, BOOL>>;
    // Refuses the first addition (busy at log-on); later refuses a change (it has lost the icon).
    FakeShell shell({FALSE, TRUE, TRUE, FALSE, TRUE});
    TrayIcon icon;
    icon.Fill(reinterpret_cast<HWND>(0x1234), LoadIcon(nullptr, IDI_APPLICATION));
    icon.Modify(LoadIcon(nullptr, IDI_WARNING));
    EXPECT_TRUE(shell.calls.empty()) << "no icon before the start-up adds it";
    EXPECT_FALSE(icon.Add());
    icon.Modify(LoadIcon(nullptr, IDI_APPLICATION)); // the mute monitor's next tick
    EXPECT_EQ(shell.calls, (Calls{{NIM_ADD, FALSE}, {NIM_ADD, TRUE}})) << "the icon arrives";
    icon.Modify(LoadIcon(nullptr, IDI_WARNING));
    icon.Modify(LoadIcon(nullptr, IDI_WARNING));
    EXPECT_EQ(shell.calls,
              (Calls{{NIM_ADD, FALSE}, {NIM_ADD, TRUE}, {NIM_MODIFY, TRUE}, {NIM_MODIFY, FALSE}, {NIM_ADD, TRUE}}));
    shell.calls.clear();
    icon.Modify(LoadIcon(nullptr, IDI_APPLICATION));
    EXPECT_EQ(shell.calls, (Calls{{NIM_MODIFY, TRUE}})) << "a healthy shell hears one change a tick";
    icon.Delete();
    icon.Modify(LoadIcon(nullptr, IDI_WARNING));
    EXPECT_EQ(shell.calls, (Calls{{NIM_MODIFY, TRUE}, {NIM_DELETE, TRUE}})) << "nor after it was removed";
}

TEST(TrayIcon, OnlyARightPressALeftReleaseOrDoubleClickAndAMiddleReleaseAreEventsTheLogicActsOn) {
    const std::map<UINT, TrayIconEvent> acted{{WM_LBUTTONUP, TrayIconEvent::LeftButtonUp},
                                              {WM_LBUTTONDBLCLK, TrayIconEvent::LeftDoubleClick},
                                              {WM_RBUTTONDOWN, TrayIconEvent::RightButtonDown},
                                              {WM_MBUTTONUP, TrayIconEvent::MiddleButtonUp}};
    for (UINT message = WM_MOUSEMOVE; message <= WM_MOUSEWHEEL; ++message) {
        const auto it = acted.find(message);
        EXPECT_EQ(TrayIconEventOf(message), it == acted.end() ? TrayIconEvent::Other : it->second) << message;
    }
}

// The system's hooks, counted: the hook's own thread installs and removes them.
std::atomic<int> installs{0};
std::atomic<int> liveHooks{0};
std::atomic<HHOOK> lastHook{nullptr};
HHOOK WINAPI InstallCounted(int kind, HOOKPROC procedure, HINSTANCE instance, DWORD thread) {
    const HHOOK hook = SetWindowsHookExA(kind, procedure, instance, thread);
    installs += hook ? 1 : 0;
    liveHooks += hook ? 1 : 0;
    lastHook = hook;
    return hook;
}
BOOL WINAPI RemoveCounted(HHOOK hook) {
    --liveHooks;
    return UnhookWindowsHookEx(hook);
}

// The pointer put at (x, y) and a mouse event there through the system: a move of no length, or a turn.
void MouseAt(int x, int y, short travel = 0) {
    SetCursorPos(x, y);
    InjectMouse(travel ? MOUSEEVENTF_WHEEL : MOUSEEVENTF_MOVE, 0, travel);
}

// Lets the thread's messages and timers run this long; returns the travel of each turn posted to `window`.
std::vector<int> RunFor(DWORD milliseconds, HWND window, UINT message) {
    std::vector<int> turns;
    PumpUntil(
        [&] {
            for (MSG m; PeekMessageA(&m, window, message, message, PM_REMOVE);) {
                turns.push_back(GET_WHEEL_DELTA_WPARAM(m.wParam));
            }
            return false;
        },
        milliseconds);
    return turns;
}

TEST(TrayIconWheel, AHookOnlyWhileThePointerIsOnTheIconKeptByEachReportAndBackAfterTheSystemRemovedIt) {
    const HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    const UINT kWheel = WM_APP + 2;
    std::optional<RECT> told = RECT{100, 100, 124, 124};
    TrayIconWheel wheel(
        window, kWheel, [&] { return told; }, HookCalls{&InstallCounted, &RemoveCounted});
    // Reports as another program may post them, with the pointer far from the icon.
    MouseAt(600, 400);
    wheel.OnPointerOverIcon({600, 400});
    told.reset();
    wheel.OnPointerOverIcon({600, 400});
    RunFor(300, window, kWheel);
    EXPECT_EQ(installs, 0) << "neither on the place the shell told nor over the notification area";

    told = RECT{100, 100, 124, 124};
    const auto reportFor = [&](DWORD milliseconds) {
        for (const DWORD start = GetTickCount(); GetTickCount() - start < milliseconds;) {
            MouseAt(110, 110);
            wheel.OnPointerOverIcon({110, 110});
            RunFor(200, window, kWheel);
        }
    };
    reportFor(1600);
    EXPECT_EQ(installs, 1) << "one hook, kept by each report beyond its first second";
    EXPECT_EQ(liveHooks, 1);
    UnhookWindowsHookEx(lastHook); // as the system removes a hook that kept it waiting too long
    reportFor(1600);
    EXPECT_EQ(installs, 2) << "the removed hook is noticed at a report and installed again";
    MouseAt(123, 123, -120);
    EXPECT_EQ(RunFor(500, window, kWheel), std::vector<int>{-120}) << "anywhere on the place the shell told";
    MouseAt(300, 300);
    RunFor(500, window, kWheel);
    EXPECT_EQ(liveHooks, 0) << "the pointer left";

    reportFor(1);
    RunFor(1500, window, kWheel);
    EXPECT_EQ(liveHooks, 0) << "a second after the last report";
    DestroyWindow(window);
}

// The menu as the user reads it, a line between groups and the default item in bold (here in asterisks), and
// that every item the user can pick runs a command, the bold one the exit.
TEST(PopupMenu, TheUserReadsTheItemsInTheirGroupsWithTheExitInBold) {
    HMENU menu = BuildTrayMenu();
    ASSERT_NE(menu, nullptr);
    const UINT bold = GetMenuDefaultItem(menu, TRUE, 0);
    std::string read;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOA item{};
        char text[64] = {};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_TYPE | MIIM_STATE | MIIM_ID;
        item.dwTypeData = text;
        item.cch = sizeof(text);
        ASSERT_TRUE(GetMenuItemInfoA(menu, i, TRUE, &item));
        if (item.fType & MFT_SEPARATOR) {
            read += " |";
            continue;
        }
        read += std::string(read.empty()         ? ""
                            : read.back() == '|' ? " "
                                                 : ", ") +
                (static_cast<UINT>(i) == bold ? "*" + std::string(text) + "*" : text);
        EXPECT_FALSE(item.fState & (MFS_CHECKED | MFS_GRAYED)) << "nothing checked or greyed at first: " << text;
        EXPECT_NE(CommandOfMenuId(item.wID), MenuCommand::None) << text;
    }
    EXPECT_EQ(read, "About | Help, Options, Test Sound | Keep Controller on Top | Open Volume Control (Windows), "
                    "Adjust Audio Properties (Windows) | Marlox's Software Website | *Close Drovo Volume Controller*");
    EXPECT_EQ(CommandOfMenuId(GetMenuDefaultItem(menu, FALSE, 0)), MenuCommand::Exit);
    DestroyMenu(menu);
}

// Ends the menu from inside its loop, as a click elsewhere would.
void CALLBACK DismissMenu(HWND, UINT, UINT_PTR, DWORD) {
    EndMenu();
}

TEST(TrayWindow, ADismissedMenuLeavesAWmNullInTheTrayWindowsQueue) {
    FakePlatform p;
    FakeControllerWindows controllers;
    TrayWindow tray(
        GetModuleHandleA(nullptr),
        {p.messages, p.process, p.settings, p.processList, p.systemInfo, p.modulePath, p.launcher},
        [&]() -> VolumeDevice& { return p.volume; }, ControllerServicesOf(p), controllers.Maker());
    ASSERT_TRUE(tray.Create());
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &DismissMenu);
    EXPECT_EQ(tray.ShowMenu({}), MenuCommand::None);
    KillTimer(nullptr, timer);
    bool nullWaiting = false;
    MSG message;
    while (PeekMessageA(&message, tray.Handle(), 0, 0, PM_REMOVE)) {
        nullWaiting = nullWaiting || message.message == WM_NULL;
    }
    EXPECT_TRUE(nullWaiting);
}

} // namespace
} // namespace kob::test
