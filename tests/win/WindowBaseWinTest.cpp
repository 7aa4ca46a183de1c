// The window base, the controller's window and the Win32 helpers against the real window manager.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "RealMixerPlatform.h"
#include "controller/win32/Form1Window.h"
#include "fakes/FakeForm1View.h"
#include "fakes/FakeServices.h"
#include "platform/win32/ClickableAreas.h"
#include "platform/win32/TimerSet.h"
#include "platform/win32/WindowBase.h"

namespace kob::test {
namespace {

// Records the messages its handler sees in a journal that outlives the window object.
class JournalWindow : public WindowBase {
public:
    JournalWindow(std::vector<UINT>& journal, bool refuseCreation = false)
        : journal_(journal), refuseCreation_(refuseCreation) {}
    [[nodiscard]] bool Open() {
        WindowSpec spec;
        spec.instance = GetModuleHandleA(nullptr);
        spec.className = "KobJournalWindow";
        return Create(spec);
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
    DestroyWindow(handle);
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

class Form1WindowTest : public ::testing::Test {
protected:
    int ControllerWindows() {
        int count = 0;
        EnumThreadWindows(GetCurrentThreadId(), CountControllerWindow, reinterpret_cast<LPARAM>(&count));
        return count;
    }

    RealMixerPlatform p;
    FakeForm1Host host{p.log};
    StartupFacts facts;
};

TEST_F(Form1WindowTest, AShowingLoadsOnceAndItsWindowGoesWithIt) {
    {
        Form1Window showing(GetModuleHandleA(nullptr), p.mixer, {p.screen, p.messages, p.registry, p.launcher}, facts, host);
        showing.Load();
        ASSERT_TRUE(showing.Loaded());
        showing.Load();
        EXPECT_EQ(ControllerWindows(), 1) << "a second load must not leave an orphan window";
        EXPECT_EQ(host.txtform1signal, "1");
        const LONG exStyle = GetWindowLongA(FindWindowA("DrovoVC3Controller", nullptr), GWL_EXSTYLE);
        EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
        EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
    }
    EXPECT_EQ(ControllerWindows(), 0);
    EXPECT_EQ(host.txtform1signal, "0");
    EXPECT_TRUE(p.messages.shown.empty());
}

TEST_F(Form1WindowTest, UnloadRunsTheUnloadAndTheShowingCannotBeLoadedAgain) {
    Form1Window showing(GetModuleHandleA(nullptr), p.mixer, {p.screen, p.messages, p.registry, p.launcher}, facts, host);
    showing.Load();
    showing.Unload();
    EXPECT_FALSE(showing.Loaded());
    EXPECT_EQ(host.txtform1signal, "0");
    showing.Load();
    EXPECT_FALSE(showing.Loaded());
    EXPECT_EQ(ControllerWindows(), 0);
}

} // namespace
} // namespace kob::test
