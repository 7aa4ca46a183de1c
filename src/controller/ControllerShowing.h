#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "controller/Controller.h"
#include "controller/ControllerView.h"

namespace kob {

class ControllerShowing;

// Makes the window of one showing. The window turns its messages into the showing's handlers and reports its end
// to the showing (OnWindowGone).
using ControllerWindowMaker = std::function<std::unique_ptr<ControllerView>(ControllerShowing&)>;

// One showing of the controller: its logic and its window, made for that showing and freed after it. One of its
// handlers may wait in a message box while other messages are delivered, and the showing may be unloaded
// meanwhile: its owner frees it only from the program's own message loop, which no box re-enters.
class ControllerShowing {
public:
    // `onUnloaded` hears the unload; `report` is the host's, for what goes wrong inside one of the showing's
    // handlers (a volume failure ends the program).
    ControllerShowing(const ControllerWindowMaker& makeWindow, MasterVolume& volume, const ControllerServices& services,
                      const StartupFacts& facts, std::function<void()> onUnloaded, const Reporter& report);
    ~ControllerShowing();
    ControllerShowing(const ControllerShowing&) = delete;
    ControllerShowing& operator=(const ControllerShowing&) = delete;

    // Creates the window and runs the load, which shows it; returns the volume failure that stopped the load. A
    // showing loads once; a second call does nothing.
    std::optional<VolumeFailure> Load();
    // Takes the window down; the unload runs.
    void Unload() { window_->Unload(); }
    // True from the load until the window is gone, however it went.
    bool Loaded() const { return loaded_; }
    // Makes the window the one the user works with, as after a click on it.
    void BringToForeground() { window_->BringToForeground(); }
    Controller& Logic() { return controller_; }

    // The window has gone, however it went: the controller's unload runs and the owner hears of it.
    void OnWindowGone();

private:
    Reporter report_;
    std::function<void()> onUnloaded_;
    // Before the logic, which speaks to it.
    std::unique_ptr<ControllerView> window_;
    Controller controller_;
    bool loadStarted_ = false;
    bool loaded_ = false;
};

} // namespace kob
