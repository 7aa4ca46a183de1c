#pragma once

namespace kob {

// The window that shows the controller: it hears when a showing's window has gone, so that it can free the
// showing once the handler running it is over.
class ControllerHost {
public:
    virtual ~ControllerHost() = default;
    virtual void OnControllerUnloaded() = 0;
};

} // namespace kob
