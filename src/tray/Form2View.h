#pragma once

namespace kob {

enum class TrayPicture { Normal, Muted };

// What the companion's logic asks of its hidden window.
class Form2View {
public:
    virtual ~Form2View() = default;

    // Prepares the common controls the windows use.
    virtual void InitCommonControls() = 0;
    // Creates the hidden window; false when it cannot be.
    [[nodiscard]] virtual bool Create() = 0;
    // Keeps the program out of the system's list of running applications.
    virtual void HideFromTaskList() = 0;
    virtual void EnableMuteMonitor(bool enabled) = 0;
    // Puts the program's icon into the notification area: the normal picture and the program's tip.
    virtual void AddTrayIcon() = 0;
    // Gives the window and the tray icon this picture.
    virtual void ShowTrayPicture(TrayPicture picture) = 0;
    // Has DiscardFinishedControllers run once the message being handled is over.
    virtual void DiscardControllersLater() = 0;
};

} // namespace kob
