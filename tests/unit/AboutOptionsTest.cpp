#include <gtest/gtest.h>

#include "about/Form3.h"
#include "fakes/FakeServices.h"
#include "settings/Form4.h"

namespace kob::test {
namespace {

const std::string kRunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kTitle = "Drovo Volume Controller 3.0";
constexpr auto HKLM = RegistryRoot::LocalMachine;

struct FakeForm3View : Form3View {
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

TEST(Form3Test, TheMixerLineNamesTheDeviceOrSaysThereAreNoDetails) {
    const struct {
        std::string deviceName;
        const char* caption;
    } rows[] = {{std::string("SB Live! Audio") + std::string(18, '\0'), "Mixer : SB Live! Audio"},
                {std::string(32, '\0'), "Mixer : No details available !"},
                {"", "Mixer : No details available !"}};
    for (const auto& row : rows) {
        FakeForm3View view;
        FakeBrowser browser;
        Form3 about{view, row.deviceName, browser};
        about.Form_Load();
        EXPECT_EQ(view.caption, row.caption);
    }
}

TEST(Form3Test, TheLinksOpenTheSiteInANewBrowserWindowOrElseTheDefaultHandler) {
    FakeForm3View view;
    FakeBrowser browser;
    const std::string name;
    Form3 about{view, name, browser};
    about.Label4_Click();
    about.Label4_Click();
    EXPECT_EQ(browser.windows, (std::vector<std::string>{"http://marlox.example.com", "http://marlox.example.com"}));
    EXPECT_TRUE(view.opened.empty());
    browser.available = false;
    about.Label4_Click();
    about.Label8_Click();
    EXPECT_EQ(view.opened,
              (std::vector<std::string>{"http://marlox.example.com", "http://marlox.example.com/feedback.html"}));
}

class Form4Test : public ::testing::Test, public Form4View {
protected:
    Form4Test() { platform.registry.CreateKey(HKLM, kRunKeyPath); }
    void SetChkStp(bool checked) override { shown = checked; }
    bool HasRunValue() { return platform.registry.HasValue(HKLM, kRunKeyPath, kTitle); }

    FakePlatform platform;
    std::int16_t RunEntryVal = 0;
    Form4 options{*this, platform.registry, platform.messages, platform.modulePath, RunEntryVal};
    bool shown = false;
};

TEST_F(Form4Test, WithoutTheRunValueTheBoxOpensClearAndNothingIsWritten) {
    options.Form_Load();
    EXPECT_FALSE(shown);
    EXPECT_EQ(platform.log.IndexOf("RegSetValueEx"), -1);
    EXPECT_EQ(platform.log.IndexOf("RegDeleteValue"), -1);
}

TEST_F(Form4Test, WithTheRunValueTheBoxOpensTickedAndTheValueNamesThisExecutable) {
    platform.registry.keys[{HKLM, kRunKeyPath}][kTitle] = {kRegSz, {'o', 'l', 'd', 0}};
    options.Form_Load();
    EXPECT_TRUE(shown);
    const auto& data = platform.registry.Value(HKLM, kRunKeyPath, kTitle).data;
    EXPECT_EQ(std::string(data.begin(), data.end()),
              std::string("\"C:\\Program Files\\Drovo Volume Controller\\kob3.0.exe\"") + '\0');
}

TEST_F(Form4Test, EachChangeOfTheBoxAddsOrRemovesTheRunValue) {
    options.Form_Load();
    options.SetChkStp(1);
    EXPECT_TRUE(HasRunValue());
    options.SetChkStp(0);
    EXPECT_FALSE(HasRunValue());
    options.ChkStp_Click(); // the value is gone already: nothing to show
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(Form4Test, AnUnreadableRunKeyLeavesThePreviousAnswer) {
    platform.registry.keys.erase({HKLM, kRunKeyPath});
    RunEntryVal = 1;
    options.Form_Load();
    EXPECT_TRUE(shown);
    RunEntryVal = 0;
    Form4 again{*this, platform.registry, platform.messages, platform.modulePath, RunEntryVal};
    again.Form_Load();
    EXPECT_EQ(again.ChkStp(), 0);
}

} // namespace
} // namespace kob::test
