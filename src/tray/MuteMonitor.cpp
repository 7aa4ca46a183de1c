#include "tray/MuteMonitor.h"

namespace kob {

std::optional<VolumeFailure> MuteMonitor::OnTick() {
    const VolumeResult<bool> muted = volume_.Muted();
    if (const auto failure = muted.Failure()) {
        return failure;
    }
    if (Controller* controller = controller_.Loaded(); controller && controller->SetMuteBox(muted.Value())) {
        // Written back as a click on the box writes it: the write looks the device up again and notices a change.
        if (const auto failure = volume_.SetMuted(muted.Value())) {
            return failure;
        }
    }
    view_.ShowTrayPicture(muted.Value() ? TrayPicture::Muted : TrayPicture::Normal);
    return std::nullopt;
}

void MuteMonitor::Show(bool muted) {
    if (Controller* controller = controller_.Loaded()) {
        controller->SetMuteBox(muted);
    }
    view_.ShowTrayPicture(muted ? TrayPicture::Muted : TrayPicture::Normal);
}

} // namespace kob
