// The controller, Options and About as screen readers and keyboard users meet them: the accessible objects are
// read and worked from another process, as a screen reader does.
#include <gtest/gtest.h>

#include <windows.h>

#include <oleacc.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "RealVolumePlatform.h"
#include "WinTestFiles.h"
#include "about/win32/AboutWindow.h"
#include "controller/win32/ControllerWindow.h"
#include "fakes/FakeControllerView.h"
#include "settings/win32/OptionsWindow.h"

namespace kob::test {
namespace {

// Runs AccessProbe.exe on a window of this thread, answering the window's messages meanwhile, and returns the
// probe's "key=value" lines.
std::map<std::string, std::string> Probe(HWND window, const std::string& arguments) {
    ScratchFolder folder("kob-access");
    const std::string out = folder.path() + "\\probe.txt";
    std::string command = "\"" + TestProgramFolder() + "\\AccessProbe.exe\" \"" + out + "\" " +
                          std::to_string(reinterpret_cast<INT_PTR>(window)) + " " + arguments;
    if (RunToEnd(command) == STILL_ACTIVE) {
        ADD_FAILURE() << "AccessProbe.exe did not run to its end";
        return {};
    }
    std::map<std::string, std::string> values;
    std::ifstream in(out);
    for (std::string line; std::getline(in, line);) {
        const auto equals = line.find('=');
        if (equals != std::string::npos) {
            values[line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    return values;
}

std::string Role(long role) {
    return std::to_string(role);
}

class AccessibilityTest : public ::testing::Test, protected RealControllerShowing {
protected:
    AccessibilityTest() {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        facts.systemFolder = "C:\\windows\\system32";
    }
    ~AccessibilityTest() override { CoUninitialize(); }
    std::string Readout() {
        char text[8] = {};
        GetWindowTextA(FindWindowExA(Window(), nullptr, "STATIC", nullptr), text, sizeof(text));
        return text;
    }
};

TEST_F(AccessibilityTest, AScreenReaderFindsTheFivePartsAndWorksTheSliderAndTheMuteBox) {
    ASSERT_EQ(p.volume.LookAt(DeviceUse::Volume), std::nullopt);
    EXPECT_EQ(p.volume.SetVolume(45), std::nullopt);
    ASSERT_EQ(p.volume.LookAt(DeviceUse::Mute), std::nullopt);
    EXPECT_EQ(p.volume.SetMuted(false), std::nullopt);
    showing.Load();
    ASSERT_TRUE(showing.Loaded());

    auto seen = Probe(Window(), "read");
    EXPECT_EQ(seen["result"], "0");
    EXPECT_EQ(seen["children"], "5");
    const std::string unchecked = std::to_string(STATE_SYSTEM_FOCUSABLE);
    // The shown window may have the focus: the keys then act on the slider.
    const std::string slider =
        std::to_string(STATE_SYSTEM_FOCUSABLE | (GetFocus() == Window() ? STATE_SYSTEM_FOCUSED : 0));
    EXPECT_EQ(seen["child1"], Role(ROLE_SYSTEM_SLIDER) + "|Volume|45|" + slider + "|");
    EXPECT_EQ(seen["child2"], Role(ROLE_SYSTEM_CHECKBUTTON) + "|Mute||" + unchecked + "|Check");
    EXPECT_EQ(seen["child3"], Role(ROLE_SYSTEM_PUSHBUTTON) + "|Close||0|Press");
    EXPECT_EQ(seen["child4"], Role(ROLE_SYSTEM_PUSHBUTTON) + "|Open Volume Control||0|Press");
    EXPECT_EQ(seen["child5"], Role(ROLE_SYSTEM_PUSHBUTTON) + "|Adjust Audio Properties||0|Press");
    for (const char* id : {"1", "2", "3", "4", "5"}) {
        EXPECT_EQ(seen[std::string("hit") + id], id) << "each part is where it is said to be";
    }

    EXPECT_EQ(Probe(Window(), "set 1 30")["result"], "0");
    EXPECT_EQ(p.volume.Volume().Value(), 30);
    EXPECT_EQ(Readout(), "30");
    EXPECT_NE(Probe(Window(), "set 1 loud")["result"], "0");
    EXPECT_EQ(p.volume.Volume().Value(), 30);

    EXPECT_EQ(Probe(Window(), "do 2")["result"], "0");
    EXPECT_TRUE(p.volume.Muted().Value());
    const HWND box = FindWindowExA(Window(), nullptr, "BUTTON", nullptr);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    seen = Probe(Window(), "read");
    EXPECT_EQ(seen["child1"], Role(ROLE_SYSTEM_SLIDER) + "|Volume|30|" + slider + "|");
    EXPECT_EQ(seen["child2"], Role(ROLE_SYSTEM_CHECKBUTTON) + "|Mute||" +
                                  std::to_string(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_CHECKED) + "|Uncheck");

    EXPECT_EQ(Probe(Window(), "do 4")["result"], "0");
    EXPECT_EQ(p.launcher.started, std::vector<std::string>{"\"C:\\windows\\system32\\sndvol32.exe\""});
    EXPECT_TRUE(p.messages.shown.empty());
    EXPECT_FALSE(p.process.ended);
}

TEST_F(AccessibilityTest, TheSliderHasTheFocusWhileTheWindowHasItAndTheMuteBoxWhileItHasIt) {
    showing.Load();
    SetFocus(Window());
    ASSERT_EQ(GetFocus(), Window());
    auto seen = Probe(Window(), "read");
    EXPECT_EQ(seen["focus"], "1");
    EXPECT_EQ(seen["child1"], Role(ROLE_SYSTEM_SLIDER) + "|Volume|" + Readout() + "|" +
                                  std::to_string(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED) + "|");
    SetFocus(FindWindowExA(Window(), nullptr, "BUTTON", nullptr));
    EXPECT_EQ(Probe(Window(), "read")["focus"], "2");
    showing.Unload();
    seen = Probe(nullptr, "read");
    EXPECT_NE(seen["result"], "0") << "a window that has gone answers nothing";
}

TEST_F(AccessibilityTest, TheOptionsBoxIsAnnouncedByItsLabel) {
    OptionsWindow options(GetModuleHandleA(nullptr), p.settings,
                          [this](const Notice& notice) { Report(p.messages, p.process, notice); });
    options.Open();
    const HWND box = FindWindowExA(options.Handle(), nullptr, "BUTTON", nullptr);
    ASSERT_NE(box, nullptr);
    const std::string self = Probe(box, "read")["self"];
    // The name is ours; the role and the state are the system's own answer for the box.
    EXPECT_NE(self.find("|Run when Windows starts.|"), std::string::npos) << self;
    char text[64] = {};
    GetWindowTextA(box, text, sizeof(text));
    EXPECT_STREQ(text, "") << "the box draws no text of its own";
}

struct RecordingBrowser : WebBrowser {
    bool OpenInNewWindow(const std::string& address) override {
        opened.push_back(address);
        return true;
    }
    std::vector<std::string> opened;
};

// Types keys on a window: Tab, Enter and Space as those characters, with Shift held for the key after a '+'.
void Type(HWND window, const std::string& keys) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        BYTE state[256] = {};
        state[VK_SHIFT] = keys[i] == '+' ? 0x80 : 0;
        SetKeyboardState(state);
        SendMessageA(window, WM_KEYDOWN, static_cast<BYTE>(keys[state[VK_SHIFT] ? ++i : i]), 0);
    }
}

TEST(AboutWindow, ItIsCentredAndTabReachesEachLinkThatEnterSpaceOrAClickOpens) {
    RecordingBrowser browser;
    AboutWindow about(GetModuleHandleA(nullptr), "", browser);
    about.Open();
    RECT r{};
    ASSERT_TRUE(GetWindowRect(about.Handle(), &r));
    EXPECT_NEAR(r.left + r.right, GetSystemMetrics(SM_CXSCREEN), 1);
    EXPECT_NEAR(r.top + r.bottom, GetSystemMetrics(SM_CYSCREEN), 1);
    Type(about.Handle(), "\r");
    EXPECT_TRUE(browser.opened.empty()) << "no link has the focus before the first Tab";
    Type(about.Handle(), "\t\r");
    EXPECT_EQ(browser.opened, std::vector<std::string>{"http://marlox.example.com"}) << "Tab, then Enter";
    // The second Tab stops at the feedback link (which the system's handler would open), the third comes back.
    Type(about.Handle(), "\t\t ");
    EXPECT_EQ(browser.opened, (std::vector<std::string>{"http://marlox.example.com", "http://marlox.example.com"}))
        << "two more Tabs, then Space";

    AboutWindow again(GetModuleHandleA(nullptr), "", browser);
    again.Open();
    Type(again.Handle(), "+\t\t\r");
    EXPECT_EQ(browser.opened.size(), 3u) << "Shift+Tab reached the last link first, and Tab came round to the first";
    // From the first link, Shift+Tab goes round to the last and then back to the first.
    Type(again.Handle(), "+\t+\t\r");
    EXPECT_EQ(browser.opened.size(), 4u);
    browser.opened.clear();
    SendMessageA(again.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 288)); // a click on the web link
    SendMessageA(again.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(150, 288));
    EXPECT_EQ(browser.opened, std::vector<std::string>{"http://marlox.example.com"});
}

} // namespace
} // namespace kob::test
