#pragma once

#include <memory>

#include "controller/Controller.h"
#include "controller/ControllerHost.h"

namespace kob {

// One showing of the controller: its logic and its window, made for that showing and discarded after it.
class ControllerShowing {
public:
    virtual ~ControllerShowing() = default;
    // Creates the window and runs the load, which shows it. A showing loads once; a second call does nothing.
    virtual void Load() = 0;
    // Runs the unload and takes the window down.
    virtual void Unload() = 0;
    // True from the load until the window is gone, however it went.
    virtual bool Loaded() const = 0;
    // One of the showing's handlers is running, its load included, perhaps waiting in a message box for an answer
    // while other messages are delivered: the showing may be unloaded meanwhile, but must not be freed.
    virtual bool Busy() const = 0;
    // Makes the window the one the user works with, as after a click on it.
    virtual void BringToForeground() = 0;
    virtual Controller& Logic() = 0;
};

// Makes the showings. The window that shows them hands over what it owns: itself as the host that hears each
// showing's load and unload, the master volume, and the start-up facts.
class ControllerFactory {
public:
    virtual ~ControllerFactory() = default;
    virtual std::unique_ptr<ControllerShowing> CreateController(ControllerHost& host, MasterVolume& volume,
                                                                const StartupFacts& facts) = 0;
};

} // namespace kob
