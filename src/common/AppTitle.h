#pragma once

namespace kob {

// Caption of every message box, the tray tip and the name of the log-on Run value.
inline constexpr const char* kAppTitle = "Drovo Volume Controller 3.0";

} // namespace kob
