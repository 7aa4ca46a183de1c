#pragma once

#include <string>
#include <vector>

#include "fakes/FakeServices.h"
#include "tray/TrayView.h"

namespace kob::test {

// Records what the tray window's logic does to its window and tray icon.
class FakeTrayView : public TrayView {
public:
    explicit FakeTrayView(CallLog& log) : log_(log) {}

    bool Create() override {
        log_.Add("app.Create");
        return !createFails;
    }
    void HideFromTaskList() override { log_.Add("app.HideFromTaskList"); }
    void EnableMuteMonitor(bool enabled) override {
        log_.Add(enabled ? "app.MuteMonitor on" : "app.MuteMonitor off");
        muteMonitor = enabled;
    }
    void AddTrayIcon() override {
        log_.Add("app.AddTrayIcon");
        trayIconAdded = true;
    }
    void ShowTrayPicture(TrayPicture shown) override {
        log_.Add(shown == TrayPicture::Muted ? "app.TrayPicture muted" : "app.TrayPicture normal");
        picture = shown;
        ++pictureChanges;
    }
    void DiscardControllersLater() override { ++discardsPosted; }
    void RemoveTrayIcon() override {
        log_.Add("app.RemoveTrayIcon");
        trayIconAdded = false;
    }
    void BringToForeground() override { log_.Add("app.BringToForeground"); }
    MenuCommand ShowMenu(const KeepOnTopItem& keepOnTop) override {
        log_.Add("app.ShowMenu");
        menuShownWith = keepOnTop;
        ++menusShown;
        return choice;
    }
    void ShowAbout(const std::string& deviceName) override {
        log_.Add("app.ShowAbout");
        aboutNames = deviceName;
    }
    void ShowOptions() override { log_.Add("app.ShowOptions"); }
    void OpenMaximized(const std::u16string& document) override {
        log_.Add("app.OpenMaximized " + std::string(document.begin(), document.end())); // ASCII in the journal
        opened.push_back(document);
    }

    // The documents opened, exactly.
    std::vector<std::u16string> opened;
    bool createFails = false;
    bool muteMonitor = false;
    bool trayIconAdded = false;
    TrayPicture picture = TrayPicture::Normal;
    long pictureChanges = 0;
    int discardsPosted = 0;
    // What the user picks from the menu, and the state "Keep Controller on Top" was shown in.
    MenuCommand choice = MenuCommand::None;
    KeepOnTopItem menuShownWith;
    // The device name About was last shown with.
    std::string aboutNames;
    int menusShown = 0;

private:
    CallLog& log_;
};

} // namespace kob::test
