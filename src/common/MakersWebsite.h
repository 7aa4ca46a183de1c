#pragma once

namespace kob {

// The maker's home page, opened from the tray menu and the About window; the feedback page lies beneath it.
inline constexpr const char* kMakersWebsite = "http://marlox.example.com";

} // namespace kob
