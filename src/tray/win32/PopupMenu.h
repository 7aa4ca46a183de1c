#pragma once

#include <windows.h>

#include "tray/TrayMenu.h"

namespace kob {

// The pop-up menu built from its table: one item a line, separators between, Exit the default item. The
// caller destroys it.
HMENU BuildTrayMenu();
// The menu-item identifier of a command, and back; 0 (the menu dismissed) is None.
UINT MenuIdOf(MenuCommand command);
MenuCommand CommandOfMenuId(UINT id);

} // namespace kob
