#include "controller/ControllerSlot.h"

namespace kob {

VolumeResult<Controller*> ControllerSlot::Show() {
    Hide();
    current_ = std::make_unique<ControllerShowing>(makeWindow_, volume_, services_, facts_, onUnloaded_, report_);
    // The load may run other events (a box of a failing step): afterwards current_ may be another showing.
    ControllerShowing& showing = *current_;
    if (const auto failure = showing.Load()) {
        return *failure;
    }
    return &showing.Logic();
}

void ControllerSlot::Hide() {
    if (!current_) {
        return;
    }
    if (current_->Loaded()) {
        current_->Unload();
    }
    hidden_.push_back(std::move(current_));
}

std::optional<VolumeFailure> ControllerSlot::LearnDeviceName() {
    Hide();
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

void ControllerSlot::FreeHidden() {
    if (current_ && !current_->Loaded()) {
        current_.reset();
    }
    hidden_.clear();
}

} // namespace kob
