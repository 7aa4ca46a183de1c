#pragma once

namespace kob {

// The window that shows the controller. The controller tells it when it is loaded and when it is gone
// (txtform1signal on the companion: "1" while loaded, "0" otherwise).
class ControllerHost {
public:
    virtual ~ControllerHost() = default;
    virtual void SetControllerLoaded(bool loaded) = 0;
};

} // namespace kob
