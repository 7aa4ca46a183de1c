#pragma once

#include <optional>

#include "controller/ControllerSlot.h"
#include "tray/TrayView.h"
#include "volume/MasterVolume.h"

namespace kob {

// The mute monitor: at each tick of its timer it reads the master mute, so that the tray icon, and the mute box of
// a loaded controller, follow a mute set by any program.
class MuteMonitor {
public:
    MuteMonitor(MasterVolume& volume, ControllerSlot& controller, TrayView& view)
        : volume_(volume), controller_(controller), view_(view) {}

    // Shows the mute just read; a mute box that changes writes it back. The tray icon's record is re-sent at every
    // tick, which also brings back an icon the shell lost. A volume failure is returned, the tray icon left as it
    // was.
    [[nodiscard]] std::optional<VolumeFailure> OnTick();
    // Shows a mute the program itself has just written, without waiting for the next tick: nothing is written back.
    void Show(bool muted);

private:
    MasterVolume& volume_;
    ControllerSlot& controller_;
    TrayView& view_;
};

} // namespace kob
