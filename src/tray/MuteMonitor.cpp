#include "tray/MuteMonitor.h"

namespace kob {

void MuteMonitor::OnTick() {
    const bool muted = volume_.Muted();
    if (Controller* controller = controller_.Loaded(); controller && controller->SetMuteBox(muted)) {
        // Written back as a click on the box writes it: the write looks the device up again and notices a change.
        volume_.SetMuted(muted);
    }
    view_.ShowTrayPicture(muted ? TrayPicture::Muted : TrayPicture::Normal);
}

} // namespace kob
