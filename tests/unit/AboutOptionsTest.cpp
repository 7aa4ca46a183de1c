#include <gtest/gtest.h>

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
    } rows[] = {{"SB Live! Audio", "Mixer : SB Live! Audio"}, {"", "Mixer : No details available !"}};
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

// The log-on values as a user may find them: the machine-wide one and the user's own (an older version wrote it
// beside the machine's), each holding an older path, with the machine's Run key writable or not.
struct RunValues {
    bool machine;
    bool user;
    bool denied;
    bool perUser = false; // a copy installed for this user alone
};

struct OptionsOnFakes : OptionsView {
    explicit OptionsOnFakes(const RunValues& before) {
        platform.registry.CreateKey(HKLM, kRunKeyPath);
        platform.registry.CreateKey(HKCU, kRunKeyPath);
        if (before.machine) {
            platform.registry.SetText(HKLM, kRunKeyPath, kTitle, "old");
        }
        if (before.user) {
            platform.registry.SetText(HKCU, kRunKeyPath, kTitle, "old");
        }
        if (before.denied) {
            platform.registry.readOnly = {{HKLM, kRunKeyPath}};
        }
        if (before.perUser) {
            platform.registry.SetDword(HKCU, "Software\\Marlox's Software\\Drovo Volume Controller\\3.0", "peruser", 1);
        }
    }
    void SetRunAtLogonBox(bool checked) override { ticked = checked; }
    std::string Machine() const { return platform.registry.Text(HKLM, kRunKeyPath, kTitle); }
    std::string User() const { return platform.registry.Text(HKCU, kRunKeyPath, kTitle); }

    FakePlatform platform;
    bool ticked = false;
};

TEST(OptionsBoxTest, EachChangeOfTheBoxEnablesOrDisablesTheLogOnStart) {
    OptionsOnFakes o({false, false, false});
    OptionsBox options{o, o.platform.settings, o.platform.report};
    options.Load();
    EXPECT_FALSE(o.ticked);
    EXPECT_EQ(o.Machine(), "") << "opening writes nothing";
    options.OnRunAtLogonBoxToggled();
    EXPECT_EQ(o.Machine(), kThisProgram);
    EXPECT_TRUE(o.ticked);
    options.OnRunAtLogonBoxToggled();
    EXPECT_EQ(o.Machine(), "");
    EXPECT_FALSE(o.ticked);
    EXPECT_TRUE(o.platform.messages.shown.empty());
}

TEST(OptionsBoxTest, AnUnreadableRunKeyLeavesTheAnswerOfTheLastOpening) {
    OptionsOnFakes o({true, false, false});
    OptionsBox{o, o.platform.settings, o.platform.report}.Load();
    o.platform.registry.keys.clear();
    o.ticked = false;
    OptionsBox again{o, o.platform.settings, o.platform.report};
    again.Load();
    EXPECT_TRUE(o.ticked);
}

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
        OptionsOnFakes o(row.before);
        for (int opening = 0; opening < 2; ++opening) {
            OptionsBox{o, o.platform.settings, o.platform.report}.Load();
            EXPECT_EQ(o.ticked, row.before.machine || row.before.user);
        }
        EXPECT_EQ(o.Machine(), row.machineAfter);
        EXPECT_EQ(o.User(), row.userAfter);
        EXPECT_TRUE(o.platform.messages.shown.empty());
        EXPECT_TRUE(o.platform.registry.openKeys == 0);
    }
}

TEST(RunValueTable, UntickingShowsWhatTheNextLogOnWillDo) {
    const std::string stays = "Drovo Volume Controller 3.0 will still start when Windows starts: its entry for all "
                              "users of this computer could not be removed. Access is denied.";
    const struct {
        RunValues before;
        bool machineStays;
    } rows[] = {
        {{true, false, false}, false},
        {{false, true, true}, false},
        {{true, false, true}, true},
        {{true, true, true}, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "machine " << row.before.machine << " user " << row.before.user
                                          << " denied " << row.before.denied);
        OptionsOnFakes o(row.before);
        OptionsBox options{o, o.platform.settings, o.platform.report};
        options.Load();
        options.OnRunAtLogonBoxToggled();
        EXPECT_EQ(o.platform.registry.HasValue(HKLM, kRunKeyPath, kTitle), row.machineStays);
        EXPECT_EQ(o.User(), "");
        EXPECT_EQ(o.ticked, row.machineStays);
        if (row.machineStays) {
            ASSERT_EQ(o.platform.messages.shown.size(), 1u);
            EXPECT_EQ(o.platform.messages.shown[0].text, stays);
            EXPECT_EQ(o.platform.messages.shown[0].title, kTitle);
            EXPECT_EQ(o.platform.messages.shown[0].icon, MessageIcon::Exclamation);
        } else {
            EXPECT_TRUE(o.platform.messages.shown.empty());
        }
    }
}

} // namespace
} // namespace kob::test
