// The tray icon's record against the published layout the shell reads.
#include <gtest/gtest.h>

#include <windows.h>

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

// Hooks counted, refused on demand; the procedure kept, to be handed the pointer's moves and turns as the system would.
int liveHooks = 0;
bool refuseHooks = false;
HOOKPROC hooked = nullptr;
HHOOK WINAPI InstallCounted(int kind, HOOKPROC procedure, HINSTANCE, DWORD thread) {
    hooked = procedure;
    return refuseHooks || kind != WH_MOUSE_LL || thread != 0 ? nullptr : (++liveHooks, reinterpret_cast<HHOOK>(77));
}
BOOL WINAPI RemoveCounted(HHOOK hook) {
    return hook == reinterpret_cast<HHOOK>(77) && liveHooks > 0 ? (--liveHooks, TRUE) : FALSE;
}

// A move or a turn at (x, y); true when the hook kept it from everyone else.
bool Mouse(WPARAM message, int x, int y, short travel = 0) {
    MSLLHOOKSTRUCT event{};
    event.pt = {x, y};
    SetCursorPos(x, y);
    event.mouseData = static_cast<DWORD>(static_cast<WORD>(travel)) << 16;
    return liveHooks == 1 && hooked(HC_ACTION, message, reinterpret_cast<LPARAM>(&event));
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

TEST(TrayIconWheel, NoHookBeforeThePointerReachesTheIconNorAfterItLeftOrASecondWithoutAReport) {
    const HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    const UINT kWheel = WM_APP + 2;
    std::optional<RECT> told;
    TrayIconWheel wheel(
        window, kWheel, [&] { return told; }, HookCalls{&InstallCounted, &RemoveCounted});
    const int small = GetSystemMetrics(SM_CXSMICON);
    EXPECT_EQ(liveHooks, 0) << "before the first report";
    wheel.OnPointerOverIcon({200, 200});
    wheel.OnPointerOverIcon({204, 200});
    EXPECT_EQ(liveHooks, 1) << "one hook however many reports";
    EXPECT_TRUE(Mouse(WM_MOUSEWHEEL, 210, 200, -120)) << "a turn over the icon goes nowhere else";
    EXPECT_EQ(RunFor(600, window, kWheel), std::vector<int>{-120});
    EXPECT_TRUE(Mouse(WM_MOUSEWHEEL, 204, 200, 240));
    Mouse(WM_MOUSEMOVE, 200 + small - 1, 200);
    EXPECT_EQ(RunFor(600, window, kWheel), std::vector<int>{240});
    EXPECT_EQ(liveHooks, 1) << "a turn keeps the watch as a report does; the square around both reports";
    EXPECT_FALSE(Mouse(WM_MOUSEWHEEL, 204 - small, 200, 120)) << "beyond it a turn is not the icon's";
    EXPECT_TRUE(RunFor(100, window, kWheel).empty());
    EXPECT_EQ(liveHooks, 0) << "the pointer left";

    wheel.OnPointerOverIcon({300, 300});
    RunFor(1200, window, kWheel);
    EXPECT_EQ(liveHooks, 0) << "a second without a report";

    told = RECT{100, 100, 124, 124};
    wheel.OnPointerOverIcon({101, 101});
    EXPECT_TRUE(Mouse(WM_MOUSEWHEEL, 123, 123, 120)) << "anywhere on the place the shell told";
    EXPECT_FALSE(Mouse(WM_MOUSEMOVE, 124, 110));
    RunFor(100, window, kWheel);
    EXPECT_EQ(liveHooks, 0);

    refuseHooks = true;
    wheel.OnPointerOverIcon({101, 101});
    refuseHooks = false;
    wheel.OnPointerOverIcon({101, 101});
    EXPECT_EQ(liveHooks, 1) << "a refused hook is asked for again at the next report";
    wheel.Stop();
    EXPECT_EQ(liveHooks, 0);
    DestroyWindow(window);
}

TEST(PopupMenu, FourteenLinesInOrderWithTheExitInBold) {
    HMENU menu = BuildTrayMenu();
    ASSERT_NE(menu, nullptr);
    const char* expected[] = {"About",
                              "-",
                              "Help",
                              "Options",
                              "Test Sound",
                              "-",
                              "Keep Controller on Top",
                              "-",
                              "Open Volume Control (Windows)",
                              "Adjust Audio Properties (Windows)",
                              "-",
                              "Marlox's Software Website",
                              "-",
                              "Close Drovo Volume Controller"};
    ASSERT_EQ(GetMenuItemCount(menu), 14);
    for (int i = 0; i < 14; ++i) {
        MENUITEMINFOA item{};
        char text[64] = {};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_TYPE | MIIM_STATE | MIIM_ID;
        item.dwTypeData = text;
        item.cch = sizeof(text);
        ASSERT_TRUE(GetMenuItemInfoA(menu, i, TRUE, &item));
        const bool separator = (item.fType & MFT_SEPARATOR) != 0;
        EXPECT_EQ(separator ? std::string("-") : std::string(text), expected[i]) << i;
        if (!separator) {
            EXPECT_FALSE(item.fState & (MFS_CHECKED | MFS_GRAYED)) << "nothing checked or greyed at first: " << i;
            EXPECT_NE(CommandOfMenuId(item.wID), MenuCommand::None) << i;
        }
    }
    EXPECT_EQ(GetMenuDefaultItem(menu, TRUE, 0), 13u);
    DestroyMenu(menu);
}

// Ends the menu from inside its loop, as a click elsewhere would.
void CALLBACK DismissMenu(HWND, UINT, UINT_PTR, DWORD) {
    EndMenu();
}

TEST(TrayWindow, ADismissedMenuLeavesAWmNullInTheTrayWindowsQueue) {
    FakePlatform p;
    FakeControllerWindows controllers;
    TrayWindow tray(GetModuleHandleA(nullptr),
                    {p.messages, p.process, p.settings, p.processList, p.systemInfo, p.modulePath, p.launcher},
                    p.volume, ControllerServicesOf(p), controllers.Maker());
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
