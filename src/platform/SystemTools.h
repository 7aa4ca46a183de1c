#pragma once

#include <string>

#include "platform/MessageBoxService.h"
#include "platform/ProgramLauncher.h"

namespace kob {

// The system's own Volume Control and Audio Properties, opened from the controller's hot spots and from the tray
// menu alike. The Volume Control is sndvol32.exe in the system folder, or sndvol.exe where only that exists
// (Windows Vista and later). A launch that fails is reported (its prefix followed directly by the system's description
// of the failure, exclamation icon) and the caller goes on.
void OpenVolumeControl(ProgramLauncher& launcher, MessageBoxService& messages, const std::string& SystemDir);
void OpenAudioProperties(ProgramLauncher& launcher, MessageBoxService& messages);

} // namespace kob
