#pragma once

#include <windows.h>

#include <optional>

namespace kob {

// Shows the controller window on its own, as the tray would, until it is closed or Escape is pressed. With a
// level, the master volume is set to it first so the knob and read-out show a chosen position.
int RunControllerPreview(HINSTANCE instance, std::optional<int> level);

} // namespace kob
