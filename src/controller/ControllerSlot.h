#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "controller/ControllerShowing.h"

namespace kob {

// The controller as the window that shows it holds it: at most one showing loaded at a time, each one new, so
// nothing of a showing (drag state, knob, place, pressed buttons) carries over to the next. A hidden showing is
// kept until FreeHidden: it may be hidden from inside one of its own handlers (the last tick of its fade, or a
// tray click while one of its boxes is open), and its handler goes on with it.
class ControllerSlot {
public:
    // `onUnloaded` hears each showing's unload, which may come from inside one of the showing's own handlers;
    // `report` is the host's, for what goes wrong inside one of them (a volume failure ends the program).
    ControllerSlot(ControllerWindowMaker makeWindow, const ControllerServices& services, MasterVolume& volume,
                   const StartupFacts& facts, std::function<void()> onUnloaded, Reporter report)
        : makeWindow_(std::move(makeWindow)), services_(services), volume_(volume), facts_(facts),
          onUnloaded_(std::move(onUnloaded)), report_(std::move(report)) {}

    // Hides the showing that is loaded, if any, then loads a new one and returns its logic, or the volume failure
    // that stopped its load. A message box inside the load lets other events run; the showing returned may already
    // have been hidden by one of them.
    VolumeResult<Controller*> Show();
    // Unloads the showing that is loaded, if any.
    void Hide();
    // Learns the device's name for the About window as a load does, but without a window (see
    // Controller::LearnDeviceName); a showing that is loaded is unloaded first.
    [[nodiscard]] std::optional<VolumeFailure> LearnDeviceName();
    // The loaded showing's logic, or nullptr.
    Controller* Loaded();
    void BringLoadedToForeground();
    // Frees the showings whose windows are gone. Only the program's own message loop calls it, between two
    // messages, when no handler of any showing is running.
    void FreeHidden();

private:
    ControllerWindowMaker makeWindow_;
    ControllerServices services_;
    MasterVolume& volume_;
    const StartupFacts& facts_;
    std::function<void()> onUnloaded_;
    Reporter report_;
    std::unique_ptr<ControllerShowing> current_;
    std::vector<std::unique_ptr<ControllerShowing>> hidden_;
};

} // namespace kob
