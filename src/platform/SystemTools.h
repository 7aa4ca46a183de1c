#pragma once

#include <string>

#include "platform/Notice.h"
#include "platform/ProgramLauncher.h"

namespace kob {

// The system's own Volume Control and Audio Properties, opened from the controller's hot spots and from the tray
// menu alike, each started from the system folder by its full, quoted path. The Volume Control is sndvol32.exe, or
// sndvol.exe where only that exists (Windows Vista and later); the Audio Properties are rundll32.exe's. A launch
// that fails returns its notice (its prefix followed directly by the system's description of the failure,
// exclamation icon); the program goes on after it.
[[nodiscard]] std::optional<Notice> OpenVolumeControl(ProgramLauncher& launcher, const std::string& systemFolder);
[[nodiscard]] std::optional<Notice> OpenAudioProperties(ProgramLauncher& launcher, const std::string& systemFolder);

} // namespace kob
