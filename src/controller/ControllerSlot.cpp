#include "controller/ControllerSlot.h"

namespace kob {

VolumeResult<Controller*> ControllerSlot::ShowAfresh() {
    Unload();
    current_ = std::make_unique<ControllerShowing>(makeWindow_, volume_, services_, facts_, onUnloaded_, report_);
    // The load may run other events (a box of a failing step): afterwards current_ may be another showing.
    ControllerShowing& showing = *current_;
    if (const auto failure = showing.Load()) {
        return *failure;
    }
    return &showing.Logic();
}

void ControllerSlot::Unload() {
    if (!current_) {
        return;
    }
    if (current_->Loaded()) {
        current_->Unload();
    }
    finished_.push_back(std::move(current_));
}

std::optional<VolumeFailure> ControllerSlot::LearnDeviceName() {
    Unload();
    return Controller::LearnDeviceName(volume_);
}

Controller* ControllerSlot::Loaded() {
    return current_ && current_->Loaded() ? &current_->Logic() : nullptr;
}

void ControllerSlot::BringLoadedToForeground() {
    if (Loaded()) {
        current_->BringToForeground();
    }
}

void ControllerSlot::DiscardFinished() {
    if (current_ && !current_->Loaded()) {
        finished_.push_back(std::move(current_));
    }
    std::erase_if(finished_, [](const std::unique_ptr<ControllerShowing>& showing) { return !showing->Busy(); });
}

} // namespace kob
