#pragma once

#include "controller/ControllerSlot.h"
#include "mixer/Mixer.h"
#include "tray/TrayView.h"

namespace kob {

// The mute monitor: at each tick of its timer it reads the master mute, so that the tray icon, and the mute box of
// a loaded controller, follow a mute set by any program.
class MuteMonitor {
public:
    MuteMonitor(Mixer& mixer, ControllerSlot& controller, TrayView& view)
        : mixer_(mixer), controller_(controller), view_(view) {}

    // Shows the mute just read. The tray icon's record is re-sent at every tick, which also brings back an icon the
    // shell lost. A value other than 0 or 1 is no mute state: nothing changes.
    void OnTick();

private:
    Mixer& mixer_;
    ControllerSlot& controller_;
    TrayView& view_;
};

} // namespace kob
