// The window base, the controller's window and the Win32 helpers against the real window manager.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "RealVolumePlatform.h"
#include "ResourceIds.h"
#include "WinTestFiles.h"
#include "controller/win32/ControllerWindow.h"
#include "controller/win32/MouseButtons.h"
#include "fakes/FakeControllerView.h"
#include "fakes/FakeServices.h"
#include "platform/win32/ClickableAreas.h"
#include "platform/win32/ScreenMetrics.h"
#include "platform/win32/TimerSet.h"
#include "platform/win32/WindowBase.h"
#include "volume/MasterVolume.h"

namespace kob::test {
namespace {

// Records the messages its handler sees in a journal that outlives the window object.
class JournalWindow : public WindowBase {
public:
    JournalWindow(std::vector<UINT>& journal, bool refuseCreation = false)
        : journal_(journal), refuseCreation_(refuseCreation) {}
    [[nodiscard]] bool Open() {
        WindowPlan plan;
        plan.instance = GetModuleHandleA(nullptr);
        plan.className = "KobJournalWindow";
        return Create(plan);
    }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        journal_.push_back(message);
        if (message == WM_CREATE && refuseCreation_) {
            return -1;
        }
        return Default(message, wParam, lParam);
    }

private:
    std::vector<UINT>& journal_;
    bool refuseCreation_;
};

// Frees itself when its window is gone, as an owner that lets a window go from its final message would.
class SelfFreeingWindow : public JournalWindow {
public:
    SelfFreeingWindow(std::vector<UINT>& journal, bool& freed) : JournalWindow(journal), freed_(freed) {}
    ~SelfFreeingWindow() override { freed_ = true; }

protected:
    void OnFinalMessage() override { delete this; }

private:
    bool& freed_;
};

// Runs an action at each creation of a window of one class on this thread while it lives, before the window hears
// of it; an action answering true refuses the creation, as a system out of window handles would.
class OnCreationOfClass {
public:
    OnCreationOfClass(const char* className, std::function<bool()> action)
        : hook_(SetWindowsHookExA(WH_CBT, &Hook, nullptr, GetCurrentThreadId())) {
        className_ = className;
        action_ = std::move(action);
    }
    ~OnCreationOfClass() { UnhookWindowsHookEx(hook_); }
    OnCreationOfClass(const OnCreationOfClass&) = delete;
    OnCreationOfClass& operator=(const OnCreationOfClass&) = delete;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        char name[64] = {};
        if (code == HCBT_CREATEWND && GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof(name)) &&
            className_ == name && action_()) {
            return 1;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline std::string className_;
    static inline std::function<bool()> action_;
    HHOOK hook_;
};

bool Contains(const std::vector<UINT>& journal, UINT message) {
    return std::find(journal.begin(), journal.end(), message) != journal.end();
}

TEST(WindowBase, AWindowDestroyedOnlyThroughItsDestructorGoesWithoutReachingTheGoneHandler) {
    std::vector<UINT> journal;
    HWND handle = nullptr;
    {
        JournalWindow window(journal);
        ASSERT_TRUE(window.Open());
        handle = window.Handle();
        ASSERT_TRUE(IsWindow(handle));
    }
    EXPECT_FALSE(IsWindow(handle)) << "the window must not outlive its object";
    // The derived part was gone when the window was destroyed: its handler never heard of it.
    EXPECT_FALSE(Contains(journal, WM_DESTROY));
    EXPECT_FALSE(Contains(journal, WM_NCDESTROY));
}

TEST(WindowBase, TheFinalMessageMayFreeTheObject) {
    std::vector<UINT> journal;
    bool freed = false;
    auto* window = new SelfFreeingWindow(journal, freed);
    ASSERT_TRUE(window->Open());
    const HWND handle = window->Handle();
    SendMessageA(handle, WM_CLOSE, 0, 0); // left to the default closing
    EXPECT_TRUE(freed);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_TRUE(Contains(journal, WM_DESTROY));
    EXPECT_EQ(journal.back(), static_cast<UINT>(WM_NCDESTROY));
}

TEST(WindowBase, ARefusedCreationReportsFailureAndLeavesNoWindow) {
    std::vector<UINT> journal;
    JournalWindow window(journal, true);
    EXPECT_FALSE(window.Open());
    EXPECT_EQ(window.Handle(), nullptr);
}

TEST(WindowBase, CreationAndDestructionMessagesFromElsewhereChangeNothing) {
    std::vector<UINT> first;
    std::vector<UINT> second;
    JournalWindow a(first);
    ASSERT_TRUE(a.Open());
    JournalWindow b(second);
    {
        // One reaching a bound window while this thread creates another.
        OnCreationOfClass forge("KobJournalWindow", [&] {
            CREATESTRUCTA create{};
            SendMessageA(a.Handle(), WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create));
            return false;
        });
        ASSERT_TRUE(b.Open());
    }
    const HWND handles[] = {a.Handle(), b.Handle()};
    ASSERT_NE(handles[0], handles[1]);
    first.clear();
    second.clear();
    // Another program sends and posts them.
    EXPECT_EQ(RunToEnd("\"" + TestProgramFolder() + "\\ForgeProbe.exe\" " +
                       std::to_string(reinterpret_cast<UINT_PTR>(handles[0])) + " " +
                       std::to_string(reinterpret_cast<UINT_PTR>(handles[1]))),
              0u);
    EXPECT_EQ(a.Handle(), handles[0]);
    EXPECT_EQ(b.Handle(), handles[1]);
    EXPECT_TRUE(first.empty() && second.empty()) << "no handler heard of them";
    SendMessageA(handles[0], WM_USER, 0, 0);
    SendMessageA(handles[1], WM_USER + 1, 0, 0);
    EXPECT_EQ(first, std::vector<UINT>{WM_USER}) << "each window still speaks to its own object";
    EXPECT_EQ(second, std::vector<UINT>{WM_USER + 1});
}

TEST(TimerSet, KillAllStopsEveryTimerOfTheWindow) {
    std::vector<UINT> journal;
    JournalWindow window(journal);
    ASSERT_TRUE(window.Open());
    const TimerSet timers{{1, 10}, {2, 500}, {3, 1}};
    timers.Enable(window.Handle(), 1, true);
    timers.Enable(window.Handle(), 3, true);
    timers.Enable(window.Handle(), 3, false);
    EXPECT_FALSE(KillTimer(window.Handle(), 3)) << "disabled";
    timers.Enable(window.Handle(), 3, true);
    timers.KillAll(window.Handle());
    EXPECT_FALSE(KillTimer(window.Handle(), 1));
    EXPECT_FALSE(KillTimer(window.Handle(), 3));
}

BOOL CALLBACK CountBoxOf(HWND window, LPARAM param) {
    auto* box = reinterpret_cast<std::pair<DWORD, int>*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[16] = {};
    char title[64] = {};
    GetClassNameA(window, name, sizeof(name));
    GetWindowTextA(window, title, sizeof(title));
    // Shown or not yet: a box opened from inside another box's loop may not have come to the screen yet.
    if (owner == box->first && std::string(name) == "#32770" && std::string(title) == "Drovo Volume Controller 3.0") {
        ++box->second;
    }
    return TRUE;
}

// The program's message boxes that a process has made and not yet closed.
int BoxesOf(DWORD processId) {
    std::pair<DWORD, int> box{processId, 0};
    EnumWindows(CountBoxOf, reinterpret_cast<LPARAM>(&box));
    return box.second;
}

TEST(WindowBase, AnEndingsBoxIsTheOnlyOneHoweverManyTicksClicksAndCommandsArriveWhileItIsOpen) {
    std::string commandLine = "\"" + TestProgramFolder() + "\\EndingProbe.exe\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION probe{};
    ASSERT_TRUE(
        CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &probe));
    for (int wait = 0; wait < 300 && BoxesOf(probe.dwProcessId) == 0; ++wait) {
        Sleep(50);
    }
    // A tray click and a menu command reach the probe's window behind its box.
    const HWND window = FindWindowA("KobEndingProbe", nullptr);
    PostMessageA(window, WM_LBUTTONDOWN, 1, WM_LBUTTONUP);
    PostMessageA(window, WM_COMMAND, 1, 0);
    Sleep(500); // hundreds of the probe's 1 ms ticks fall due while its box is open
    EXPECT_EQ(BoxesOf(probe.dwProcessId), 1);
    HWND box = FindWindowA("#32770", "Drovo Volume Controller 3.0");
    ASSERT_NE(box, nullptr);
    SendMessageA(box, WM_COMMAND, IDOK, 0);
    const bool ended = WaitForSingleObject(probe.hProcess, 10000) == WAIT_OBJECT_0;
    DWORD exitCode = 99;
    GetExitCodeProcess(probe.hProcess, &exitCode);
    if (!ended) {
        TerminateProcess(probe.hProcess, 1);
    }
    CloseHandle(probe.hThread);
    CloseHandle(probe.hProcess);
    EXPECT_TRUE(ended) << "OK ends the process";
    EXPECT_EQ(exitCode, 15u) << "with the code of the unreadable mute";
}

TEST(ClickableAreas, TheFirstAreaWinsAndOnlyAreasWithHandlersAct) {
    ClickableAreas areas;
    std::vector<std::string> clicks;
    const int close = areas.Add({{10, 10, 20, 20}, nullptr, "Close", [&] { clicks.push_back("close"); }, {}});
    const int under = areas.Add({{0, 0, 30, 30},
                                 nullptr,
                                 nullptr,
                                 [&] { clicks.push_back("under"); },
                                 [&] { clicks.push_back("under twice"); }});
    EXPECT_EQ(areas.HitTest({15, 15}), close);
    EXPECT_EQ(areas.HitTest({25, 25}), under);
    EXPECT_EQ(areas.HitTest({20, 20}), under) << "right and bottom edges are outside";
    EXPECT_EQ(areas.HitTest({31, 5}), ClickableAreas::kNone);
    areas.Click(close);
    areas.DoubleClick(close);
    areas.DoubleClick(under);
    areas.Click(ClickableAreas::kNone);
    EXPECT_EQ(clicks, (std::vector<std::string>{"close", "under twice"}));
}

BOOL CALLBACK CountControllerWindow(HWND window, LPARAM counter) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    if (std::string(name) == "DrovoVC3Controller") {
        ++*reinterpret_cast<int*>(counter);
    }
    return TRUE;
}

// A left click, or a double-click, at a point of the window's client area, as the system delivers them.
void Click(HWND window, int x, int y, bool twice = false) {
    const LPARAM at = MAKELPARAM(x, y);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(window, WM_LBUTTONUP, 0, at);
    if (twice) {
        SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        SendMessageA(window, WM_LBUTTONUP, 0, at);
    }
}

TEST(MouseButtons, OnlyTheLeftButtonHeldAloneDragsTheControllerWhateverKeysAreDown) {
    for (const WPARAM keys : {0, MK_SHIFT}) {
        EXPECT_EQ(HeldButtonsOf(keys), HeldButtons::None) << keys;
    }
    for (const WPARAM keys : {MK_LBUTTON, MK_LBUTTON | MK_CONTROL}) {
        EXPECT_EQ(HeldButtonsOf(keys), HeldButtons::LeftAlone) << keys;
    }
    for (const WPARAM keys : {MK_RBUTTON, MK_MBUTTON, MK_LBUTTON | MK_RBUTTON}) {
        EXPECT_EQ(HeldButtonsOf(keys), HeldButtons::Others) << keys;
    }
}

class ControllerWindowTest : public ::testing::Test, protected RealControllerShowing {
protected:
    ControllerWindowTest() { facts.systemFolder = "C:\\windows\\system32"; }
    // The percent the read-out shows.
    int ReadoutPercent() {
        char text[8] = {};
        GetWindowTextA(FindWindowExA(Window(), nullptr, "STATIC", nullptr), text, sizeof(text));
        return std::atoi(text);
    }
    int ControllerWindows() {
        int count = 0;
        EnumThreadWindows(GetCurrentThreadId(), CountControllerWindow, reinterpret_cast<LPARAM>(&count));
        return count;
    }
};

TEST_F(ControllerWindowTest, AShowingLoadsOnceAndItsWindowGoesWithIt) {
    {
        ControllerShowing other(
            NewControllerWindows(GetModuleHandleA(nullptr), p.screen), p.volume, {p.screen, p.settings, p.launcher},
            facts, [this] { ++unloadsHeard; }, [this](const Notice& notice) { Report(p.messages, p.process, notice); });
        EXPECT_EQ(other.Load(), std::nullopt);
        ASSERT_TRUE(other.Loaded());
        EXPECT_EQ(other.Load(), std::nullopt);
        EXPECT_EQ(ControllerWindows(), 1) << "a second load must not leave an orphan window";
        const LONG exStyle = GetWindowLongA(FindWindowA("DrovoVC3Controller", nullptr), GWL_EXSTYLE);
        EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
        EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
    }
    EXPECT_EQ(ControllerWindows(), 0);
    EXPECT_EQ(unloadsHeard, 1);
    EXPECT_TRUE(p.messages.shown.empty());
}

TEST_F(ControllerWindowTest, UnloadRunsTheUnloadAndTheShowingCannotBeLoadedAgain) {
    showing.Load();
    showing.Unload();
    EXPECT_FALSE(showing.Loaded());
    EXPECT_EQ(unloadsHeard, 1);
    showing.Load();
    EXPECT_FALSE(showing.Loaded());
    EXPECT_EQ(ControllerWindows(), 0);
}

TEST_F(ControllerWindowTest, TheFadeMakesTheWindowLayeredStillAToolWindowAndEndsItFromItsOwnTimer) {
    showing.Load();
    const HWND window = Window();
    Click(window, 53, 176); // the close button
    BYTE alpha = 255;
    DWORD flags = 0;
    ASSERT_TRUE(PumpUntil([&] { return GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) && alpha < 200; }));
    EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE), WS_EX_LAYERED | WS_EX_TOOLWINDOW)
        << "never in Alt+Tab or the task list";
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA)) << "the whole window fades, no colour is made transparent";
    EXPECT_EQ(alpha % 3, 0);
    EXPECT_TRUE(PumpUntil([&] { return !showing.Loaded(); }));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(unloadsHeard, 1);
}

TEST_F(ControllerWindowTest, TheHotSpotsLaunchAndADoubleClickOnAudioPropertiesClosesAtOnce) {
    showing.Load();
    const HWND window = Window();
    Click(window, 13, 12); // Open Volume Control
    EXPECT_EQ(p.launcher.started, std::vector<std::string>{"\"C:\\windows\\system32\\sndvol32.exe\""});
    EXPECT_TRUE(showing.Loaded());
    p.launcher.started.clear();
    Click(window, 31, 24, true); // Adjust Audio Properties, twice
    EXPECT_EQ(p.launcher.started,
              std::vector<std::string>{"\"C:\\windows\\system32\\rundll32.exe\" shell32.dll,Control_RunDLL mmsys.cpl"})
        << "the double-click's second release makes no second click";
    EXPECT_FALSE(showing.Loaded()) << "closed without the fade";
    EXPECT_EQ(unloadsHeard, 1);
}

TEST_F(ControllerWindowTest, AClickOnTheMuteBoxMutesTheMasterAndTicksTheBox) {
    showing.Load();
    const HWND box = FindWindowExA(Window(), nullptr, "BUTTON", nullptr);
    ASSERT_NE(box, nullptr);
    SendMessageA(box, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    ASSERT_EQ(p.volume.LookAt(DeviceUse::Mute), std::nullopt);
    EXPECT_TRUE(p.volume.Muted().Value());
    EXPECT_EQ(p.volume.SetVolume(30), std::nullopt);
    EXPECT_EQ(p.volume.Volume().Value(), 30) << "the slider keeps the volume control";
    EXPECT_TRUE(p.volume.Muted().Value());
    SendMessageA(box, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_FALSE(p.volume.Muted().Value());
    EXPECT_FALSE(p.process.ended);
}

TEST_F(ControllerWindowTest, TheRightAndTheMiddleButtonDragTheKnobToo) {
    showing.Load();
    const HWND knob = FindWindowExA(Window(), nullptr, "DrovoVC3Knob", nullptr);
    ASSERT_NE(knob, nullptr);
    for (auto [down, up, held] :
         {std::tuple{WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON}, std::tuple{WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON}}) {
        const int before = ReadoutPercent();
        // 20 pixels down the track from a loud volume, up it from a quiet one.
        const int to = before > 50 ? 25 : -15;
        SendMessageA(knob, down, held, MAKELPARAM(5, 5));
        SendMessageA(knob, WM_MOUSEMOVE, held, MAKELPARAM(5, static_cast<WORD>(to)));
        SendMessageA(knob, up, 0, MAKELPARAM(5, static_cast<WORD>(to)));
        EXPECT_NE(ReadoutPercent(), before) << down;
    }
    EXPECT_FALSE(p.process.ended);
}

TEST_F(ControllerWindowTest, TheReadOutIsWideEnoughForOneHundred) {
    showing.Load();
    const HWND readout = FindWindowExA(Window(), nullptr, "STATIC", nullptr);
    ASSERT_NE(readout, nullptr);
    RECT box{};
    GetClientRect(readout, &box);
    SIZE text{};
    HDC dc = GetDC(readout);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(readout, WM_GETFONT, 0, 0)));
    GetTextExtentPoint32A(dc, "100", 3, &text);
    ReleaseDC(readout, dc);
    EXPECT_GE(box.right, text.cx);
}

TEST_F(ControllerWindowTest, ThePointerOverTheCloseButtonShowsTheHandAndTheWheelThereWorksWithoutTheFocus) {
    showing.Load();
    const HWND window = Window();
    std::vector<UINT> journal;
    JournalWindow other(journal);
    ASSERT_TRUE(other.Open());
    ShowWindow(other.Handle(), SW_SHOW);
    SetForegroundWindow(other.Handle());
    // Another window in front, so the wheel takes the controller's mouse hook.
    ASSERT_EQ(GetForegroundWindow(), other.Handle());
    POINT close{53, 176};
    ClientToScreen(window, &close);
    SetCursorPos(close.x, close.y);
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursor(GetModuleHandleA(nullptr), MAKEINTRESOURCE(IDC_HAND_CURSOR)));

    const int before = ReadoutPercent();
    // The hook is installed by a thread of its own: the first turn may come before it.
    const auto turned = [&] {
        return InjectMouse(MOUSEEVENTF_WHEEL, 0, before > 50 ? -WHEEL_DELTA : WHEEL_DELTA) &&
               PumpUntil([&] { return ReadoutPercent() != before; }, 1000);
    };
    EXPECT_TRUE(turned() || turned() || turned()) << "still " << before;
}

TEST_F(ControllerWindowTest, PointerMovesGoOnWhileTheWindowsThreadWaitsForASlowDevice) {
    FakeVolumeDevice device;
    std::atomic<bool> inDevice{false};
    device.onWrite = [&] {
        inDevice = true;
        Sleep(500);
        inDevice = false;
    };
    MasterVolume volume(device);
    ControllerShowing slow(
        NewControllerWindows(GetModuleHandleA(nullptr), p.screen), volume, {p.screen, p.settings, p.launcher}, facts,
        [] {}, [](const Notice&) {});
    ASSERT_EQ(slow.Load(), std::nullopt);
    std::vector<UINT> journal;
    JournalWindow other(journal);
    ASSERT_TRUE(other.Open());
    ShowWindow(other.Handle(), SW_SHOW);
    SetForegroundWindow(other.Handle());
    RECT place{};
    GetWindowRect(FindWindowA("DrovoVC3Controller", nullptr), &place);
    SetCursorPos(place.left + 10, place.top + 30);
    // Moves over the window start the hook; each turn it brings is a write of 500 ms on this thread.
    std::atomic<int> movesInDevice{0};
    std::thread mover([&] {
        for (const DWORD start = GetTickCount(); GetTickCount() - start < 4000 && movesInDevice < 10;) {
            const bool before = inDevice;
            if (InjectMouse(MOUSEEVENTF_MOVE, movesInDevice % 2 ? 1 : -1) && before && inDevice) {
                ++movesInDevice;
            }
            Sleep(5);
        }
    });
    for (int i = 0; i < 10 && device.writes == 0; ++i) {
        InjectMouse(MOUSEEVENTF_WHEEL, 0, -WHEEL_DELTA);
        PumpUntil([&] { return device.writes > 0; }, 300);
    }
    PumpUntil([&] { return movesInDevice >= 10; }, 4000);
    mover.join();
    EXPECT_EQ(movesInDevice, 10) << "moves that went through while the window's thread waited for the device";
}

TEST(ScreenMetrics, ALookUpGivesTheScreensDeviceContextBack) {
    // The screen's device contexts come from a small cache: one given back is handed out again.
    HDC first = GetDC(nullptr);
    ReleaseDC(nullptr, first);
    for (int axis : {LOGPIXELSX, LOGPIXELSY}) {
        ScreenTwipsPerPixel(axis);
    }
    HDC again = GetDC(nullptr);
    ReleaseDC(nullptr, again);
    EXPECT_EQ(again, first);
}

TEST_F(ControllerWindowTest, AControllerWhoseKnobCannotBeMadeIsTakenDownWholeAndSaysSo) {
    {
        OnCreationOfClass refuse("DrovoVC3Knob", [] { return true; });
        showing.Load();
    }
    EXPECT_FALSE(showing.Loaded());
    EXPECT_EQ(ControllerWindows(), 0) << "no window without its knob";
    ASSERT_EQ(p.messages.shown.size(), 1u);
    EXPECT_EQ(p.messages.shown[0].text, "Unable to create the controller window.");
    EXPECT_EQ(p.messages.shown[0].icon, MessageIcon::Exclamation);
}

TEST_F(ControllerWindowTest, AShowingUnloadedWhileABoxOfOneOfItsHandlersIsOpenEndsThatHandlerWhole) {
    showing.Load();
    p.launcher.failWith = "The system cannot find the file specified.";
    p.messages.whileOpen = [&] {
        showing.Unload(); // a tray click shows a new controller
    };
    Click(Window(), 13, 12); // Open Volume Control
    ASSERT_EQ(p.messages.shown.size(), 1u);
    EXPECT_FALSE(showing.Loaded());
    EXPECT_EQ(ControllerWindows(), 0);
}

} // namespace
} // namespace kob::test
