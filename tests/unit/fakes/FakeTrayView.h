#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tray/TrayView.h"

namespace kob::test {

// Records what the tray window's logic does to its window and tray icon.
class FakeTrayView : public TrayView {
public:
    bool Create() override {
        Note("Create");
        return !createFails;
    }
    void HideFromTaskList() override { Note("HideFromTaskList"); }
    void EnableMuteMonitor(bool enabled) override {
        Note(enabled ? "MuteMonitor on" : "MuteMonitor off");
        muteMonitor = enabled;
    }
    void AddTrayIcon() override {
        Note("AddTrayIcon");
        trayIconAdded = true;
    }
    void ShowTrayPicture(TrayPicture shown) override {
        Note(shown == TrayPicture::Muted ? "TrayPicture muted" : "TrayPicture normal");
        picture = shown;
        ++pictureChanges;
    }
    void RemoveTrayIcon() override {
        Note("RemoveTrayIcon");
        trayIconAdded = false;
    }
    void BringToForeground() override { Note("BringToForeground"); }
    MenuCommand ShowMenu(const KeepOnTopItem& keepOnTop) override {
        Note("ShowMenu");
        menuShownWith = keepOnTop;
        ++menusShown;
        return choice;
    }
    void ShowAbout(const std::string& deviceName) override {
        Note("ShowAbout");
        aboutNames = deviceName;
    }
    void ShowOptions() override { Note("ShowOptions"); }
    void OpenMaximized(const std::u16string& document) override {
        Note("OpenMaximized " + std::string(document.begin(), document.end())); // ASCII here
        opened.push_back(document);
    }

    // The documents opened, exactly.
    std::vector<std::u16string> opened;
    bool createFails = false;
    bool muteMonitor = false;
    bool trayIconAdded = false;
    TrayPicture picture = TrayPicture::Normal;
    long pictureChanges = 0;
    // What the user picks from the menu, and the state "Keep Controller on Top" was shown in.
    MenuCommand choice = MenuCommand::None;
    KeepOnTopItem menuShownWith;
    // The device name About was last shown with.
    std::string aboutNames;
    int menusShown = 0;
    // Every call the window received, in order: "Create", "ShowMenu".
    std::vector<std::string> calls;
    // Runs after each call is recorded, so a test can capture what the program had done by then.
    std::function<void()> onCall;

private:
    void Note(const std::string& call) {
        calls.push_back(call);
        if (onCall) {
            onCall();
        }
    }
};

} // namespace kob::test
