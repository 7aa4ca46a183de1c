#include <gtest/gtest.h>

#include <algorithm>

#include "about/AboutBox.h"
#include "fakes/FakeServices.h"
#include "settings/OptionsBox.h"

namespace kob::test {
namespace {

const std::string kRunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kTitle = "Drovo Volume Controller 3.0";
constexpr auto HKLM = RegistryRoot::LocalMachine;
constexpr auto HKCU = RegistryRoot::CurrentUser;
const std::string kThisProgram = "\"C:\\Program Files\\Drovo Volume Controller\\kob3.0.exe\"";

struct FakeAboutView : AboutView {
    void SetMixerCaption(const std::string& caption) override { this->caption = caption; }
    void OpenMaximized(const std::string& address) override { opened.push_back(address); }
    std::string caption = "Mixer : No details available !";
    std::vector<std::string> opened;
};

struct FakeBrowser : WebBrowser {
    bool OpenInNewWindow(const std::string& address) override {
        windows.push_back(address);
        return available;
    }
    bool available = true;
    std::vector<std::string> windows;
};

TEST(AboutBoxTest, TheMixerLineNamesTheDeviceOrSaysThereAreNoDetails) {
    const struct {
        std::string deviceName;
        const char* caption;
    } rows[] = {{std::string("SB Live! Audio") + std::string(18, '\0'), "Mixer : SB Live! Audio"},
                {std::string(32, '\0'), "Mixer : No details available !"},
                {"", "Mixer : No details available !"}};
    for (const auto& row : rows) {
        FakeAboutView view;
        FakeBrowser browser;
        AboutBox about{view, row.deviceName, browser};
        about.Load();
        EXPECT_EQ(view.caption, row.caption);
    }
}

TEST(AboutBoxTest, TheLinksOpenTheSiteInANewBrowserWindowOrElseTheDefaultHandler) {
    FakeAboutView view;
    FakeBrowser browser;
    const std::string name;
    AboutBox about{view, name, browser};
    about.OnWebsiteLinkClicked();
    about.OnWebsiteLinkClicked();
    EXPECT_EQ(browser.windows, (std::vector<std::string>{"http://marlox.example.com", "http://marlox.example.com"}));
    EXPECT_TRUE(view.opened.empty());
    browser.available = false;
    about.OnWebsiteLinkClicked();
    about.OnFeedbackLinkClicked();
    EXPECT_EQ(view.opened,
              (std::vector<std::string>{"http://marlox.example.com", "http://marlox.example.com/feedback.html"}));
}

class OptionsBoxTest : public ::testing::Test, public OptionsView {
protected:
    OptionsBoxTest() { platform.registry.CreateKey(HKLM, kRunKeyPath); }
    void SetRunAtLogonBox(bool checked) override { shown = checked; }
    bool HasRunValue() { return platform.registry.HasValue(HKLM, kRunKeyPath, kTitle); }

    FakePlatform platform;
    std::int16_t RunEntryVal = 0;
    OptionsBox options{*this, platform.registry, platform.messages, platform.modulePath, RunEntryVal};
    bool shown = false;
};

TEST_F(OptionsBoxTest, WithoutTheRunValueTheBoxOpensClearAndNothingIsWritten) {
    options.Load();
    EXPECT_FALSE(shown);
    EXPECT_EQ(platform.log.IndexOf("RegSetValueEx"), -1);
    EXPECT_EQ(platform.log.IndexOf("RegDeleteValue"), -1);
}

TEST_F(OptionsBoxTest, WithTheRunValueTheBoxOpensTickedAndTheValueNamesThisExecutable) {
    platform.registry.keys[{HKLM, kRunKeyPath}][kTitle] = {kRegSz, {'o', 'l', 'd', 0}};
    options.Load();
    EXPECT_TRUE(shown);
    const auto& data = platform.registry.Value(HKLM, kRunKeyPath, kTitle).data;
    EXPECT_EQ(std::string(data.begin(), data.end()),
              std::string("\"C:\\Program Files\\Drovo Volume Controller\\kob3.0.exe\"") + '\0');
}

TEST_F(OptionsBoxTest, EachChangeOfTheBoxAddsOrRemovesTheRunValue) {
    options.Load();
    options.SetRunAtLogonBox(1);
    EXPECT_TRUE(HasRunValue());
    options.SetRunAtLogonBox(0);
    EXPECT_FALSE(HasRunValue());
    options.OnRunAtLogonBoxToggled(); // the value is gone already: nothing to show
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(OptionsBoxTest, AnUnreadableRunKeyLeavesThePreviousAnswer) {
    platform.registry.keys.erase({HKLM, kRunKeyPath});
    RunEntryVal = 1;
    options.Load();
    EXPECT_TRUE(shown);
    RunEntryVal = 0;
    OptionsBox again{*this, platform.registry, platform.messages, platform.modulePath, RunEntryVal};
    again.Load();
    EXPECT_EQ(again.RunAtLogonBox(), 0);
}

// The log-on values as a user may find them: the machine-wide one and the user's own (an older version wrote it
// beside the machine's), each holding an older path, with the machine's Run key writable or not.
struct RunValues {
    bool machine;
    bool user;
    bool denied;
    bool perUser = false; // a copy installed for this user alone
};

void Arrange(FakeRegistry& registry, const RunValues& before) {
    registry.CreateKey(HKLM, kRunKeyPath);
    registry.CreateKey(HKCU, kRunKeyPath);
    if (before.machine) {
        registry.keys[{HKLM, kRunKeyPath}][kTitle] = {kRegSz, {'o', 'l', 'd', 0}};
    }
    if (before.user) {
        registry.keys[{HKCU, kRunKeyPath}][kTitle] = {kRegSz, {'o', 'l', 'd', 0}};
    }
    if (before.denied) {
        registry.writeDenied = {HKLM};
    }
    if (before.perUser) {
        registry.SetDword(HKCU, "Software\\Marlox's Software\\Drovo Volume Controller\\3.0", "peruser", 1);
    }
}

// The text of the value under that root, "" when there is none.
std::string Data(const FakeRegistry& registry, RegistryRoot root) {
    if (!registry.HasValue(root, kRunKeyPath, kTitle)) {
        return "";
    }
    const auto& data = registry.Value(root, kRunKeyPath, kTitle).data;
    return std::string(data.begin(), std::find(data.begin(), data.end(), 0));
}

struct Box : OptionsView {
    void SetRunAtLogonBox(bool checked) override { ticked = checked; }
    bool ticked = false;
};

TEST(RunValueTable, OpeningOptionsTwiceNeverAddsALogOnValue) {
    const struct {
        RunValues before;
        const char* machineAfter;
        const char* userAfter;
    } rows[] = {
        {{false, false, false}, "", ""},
        {{false, false, true}, "", ""},
        {{true, false, false}, kThisProgram.c_str(), ""},
        {{true, false, true}, "old", ""},
        // The user's own value beside the machine's would start a second copy: it goes.
        {{true, true, false}, kThisProgram.c_str(), ""},
        {{true, true, true}, "old", ""},
        {{false, true, true}, "", kThisProgram.c_str()},
        // Whoever may write the machine's value keeps one value, the machine's.
        {{false, true, false}, kThisProgram.c_str(), ""},
        // except for a copy installed for one user: it never starts for everyone.
        {{false, true, false, true}, "", kThisProgram.c_str()},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "machine " << row.before.machine << " user " << row.before.user
                                          << " denied " << row.before.denied << " per user " << row.before.perUser);
        FakePlatform platform;
        Arrange(platform.registry, row.before);
        Box box;
        std::int16_t RunEntryVal = 0;
        for (int opening = 0; opening < 2; ++opening) {
            OptionsBox options{box, platform.registry, platform.messages, platform.modulePath, RunEntryVal};
            options.Load();
            EXPECT_EQ(box.ticked, row.before.machine || row.before.user);
        }
        EXPECT_EQ(Data(platform.registry, HKLM), row.machineAfter);
        EXPECT_EQ(Data(platform.registry, HKCU), row.userAfter);
        EXPECT_TRUE(platform.messages.shown.empty());
        EXPECT_TRUE(platform.registry.openKeys.empty());
    }
}

TEST(RunValueTable, UntickingShowsWhatTheNextLogOnWillDo) {
    const struct {
        RunValues before;
        bool machineStays;
        const char* message;
    } rows[] = {
        {{true, false, false}, false, nullptr},
        {{false, true, true}, false, nullptr},
        {{true, false, true},
         true,
         "Drovo Volume Controller 3.0 will still start when Windows starts: its entry for all users of this computer "
         "could not be removed. Access is denied."},
        {{true, true, true},
         true,
         "Drovo Volume Controller 3.0 will still start when Windows starts: its entry for all users of this computer "
         "could not be removed. Access is denied."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "machine " << row.before.machine << " user " << row.before.user
                                          << " denied " << row.before.denied);
        FakePlatform platform;
        Arrange(platform.registry, row.before);
        Box box;
        std::int16_t RunEntryVal = 0;
        OptionsBox options{box, platform.registry, platform.messages, platform.modulePath, RunEntryVal};
        options.Load();
        options.SetRunAtLogonBox(0);
        EXPECT_EQ(platform.registry.HasValue(HKLM, kRunKeyPath, kTitle), row.machineStays);
        EXPECT_FALSE(platform.registry.HasValue(HKCU, kRunKeyPath, kTitle));
        EXPECT_EQ(box.ticked, row.machineStays);
        EXPECT_EQ(options.RunAtLogonBox(), row.machineStays ? 1 : 0);
        if (row.message) {
            ASSERT_EQ(platform.messages.shown.size(), 1u);
            EXPECT_EQ(platform.messages.shown[0].text, row.message);
            EXPECT_EQ(platform.messages.shown[0].title, kTitle);
            EXPECT_EQ(platform.messages.shown[0].style, 0x30u);
        } else {
            EXPECT_TRUE(platform.messages.shown.empty());
        }
    }
}

} // namespace
} // namespace kob::test
