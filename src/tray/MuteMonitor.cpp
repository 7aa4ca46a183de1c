#include "tray/MuteMonitor.h"

namespace kob {

void MuteMonitor::OnTick() {
    const bool muted = volume_.Muted();
    if (Controller* controller = controller_.Loaded()) {
        controller->SetMuteBox(muted);
    }
    view_.ShowTrayPicture(muted ? TrayPicture::Muted : TrayPicture::Normal);
}

} // namespace kob
