#pragma once

namespace kob {

// Caption of every message box and the tray tip.
inline constexpr const char* kAppTitle = "Drovo Volume Controller 3.0";

} // namespace kob
