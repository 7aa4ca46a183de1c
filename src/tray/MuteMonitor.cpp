#include "tray/MuteMonitor.h"

namespace kob {

void MuteMonitor::OnTick() {
    const bool muted = volume_.Muted();
    if (Controller* controller = controller_.Loaded(); controller && controller->SetMuteBox(muted)) {
        // A change of the box writes its mute back, as it always has, so the device hears what the box shows.
        volume_.SetMuted(muted);
    }
    view_.ShowTrayPicture(muted ? TrayPicture::Muted : TrayPicture::Normal);
}

} // namespace kob
