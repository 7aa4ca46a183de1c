#include "tray/MuteMonitor.h"

namespace kob {

void MuteMonitor::OnTick() {
    const std::int32_t value = mixer_.ReadMuteControl();
    if (value != 0 && value != 1) {
        return;
    }
    const bool muted = value == 1;
    if (Controller* controller = controller_.Loaded()) {
        controller->SetMuteBox(muted);
    }
    view_.ShowTrayPicture(muted ? TrayPicture::Muted : TrayPicture::Normal);
}

} // namespace kob
