#pragma once

#include <string>

#include "platform/MessageBoxService.h"
#include "platform/ProgramLauncher.h"

namespace kob {

// The system's own Volume Control and Audio Properties, opened from the controller's hot spots and from the tray
// menu alike, each started from the system folder by its full, quoted path. The Volume Control is sndvol32.exe, or
// sndvol.exe where only that exists (Windows Vista and later); the Audio Properties are rundll32.exe's. A launch
// that fails is reported (its prefix followed directly by the system's description of the failure, exclamation
// icon) and the caller goes on.
void OpenVolumeControl(ProgramLauncher& launcher, MessageBoxService& messages, const std::string& systemFolder);
void OpenAudioProperties(ProgramLauncher& launcher, MessageBoxService& messages, const std::string& systemFolder);

} // namespace kob
