#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "controller/Controller.h"
#include "volume/VolumeDevice.h"

namespace kob {

// Shows one controller on its own, with the program's real adapters, following the volume as when it is shown
// from the tray, and runs the messages until it closes (Escape closes it at once). `shown` runs once the
// controller is loaded; a volume failure, there or in the load, ends the preview as it ends the program. Returns
// the exit code.
int RunControllerAlone(HINSTANCE instance,
                       const std::function<std::optional<VolumeFailure>(Controller&, VolumeDevice&)>& shown);

} // namespace kob
