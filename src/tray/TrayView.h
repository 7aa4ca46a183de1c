#pragma once

#include <string>

#include "tray/TrayMenu.h"

namespace kob {

enum class TrayPicture { Normal, Muted };

// What the mouse did over the tray icon.
enum class TrayIconEvent { LeftButtonUp, LeftDoubleClick, RightButtonDown, MiddleButtonUp, Other };

// What the tray logic (TrayApp) asks of its hidden tray window.
class TrayView {
public:
    virtual ~TrayView() = default;

    // Creates the hidden window; false when it cannot be.
    [[nodiscard]] virtual bool Create() = 0;
    // Keeps the program out of the system's list of running applications.
    virtual void HideFromTaskList() = 0;
    virtual void EnableMuteMonitor(bool enabled) = 0;
    // Puts the program's icon into the notification area: the normal picture and the program's tip.
    virtual void AddTrayIcon() = 0;
    // Gives the tray icon this picture, re-sending the icon's record even when the picture is the same.
    virtual void ShowTrayPicture(TrayPicture picture) = 0;
    // Takes the icon out of the notification area before the program ends, so no dead icon stays there.
    virtual void RemoveTrayIcon() = 0;

    // Makes the tray window the foreground window, so that its menu closes when the user clicks elsewhere.
    virtual void BringToForeground() = 0;
    // Shows the pop-up menu at the pointer with "Keep Controller on Top" in this state; returns the command
    // chosen, None when the menu was dismissed.
    virtual MenuCommand ShowMenu(const KeepOnTopItem& keepOnTop) = 0;
    // The About and Options windows: one of each, shown again when already open. About names the master volume's device
    // when it is first made.
    virtual void ShowAbout(const std::string& deviceName) = 0;
    virtual void ShowOptions() = 0;
    // Opens a document (by its exact path) or web address with the program registered for it, maximised;
    // failures pass unnoticed.
    virtual void OpenMaximized(const std::u16string& document) = 0;
};

} // namespace kob
