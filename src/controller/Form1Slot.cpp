#include "controller/Form1Slot.h"

namespace kob {

Form1& Form1Slot::ShowAfresh() {
    Unload();
    current_ = factory_.CreateForm1(host_, mixer_, facts_);
    // The load may run other events (a box of a failing step): afterwards current_ may be another showing.
    Form1Showing& showing = *current_;
    showing.Load();
    return showing.Logic();
}

void Form1Slot::Unload() {
    if (!current_) {
        return;
    }
    if (current_->Loaded()) {
        current_->Unload();
    }
    finished_.push_back(std::move(current_));
}

void Form1Slot::LoadAndUnloadUnseen() {
    Unload();
    Form1::LoadAndUnloadUnseen(mixer_, host_);
}

Form1* Form1Slot::Loaded() {
    return current_ && current_->Loaded() ? &current_->Logic() : nullptr;
}

void Form1Slot::BringLoadedToForeground() {
    if (Loaded()) {
        current_->BringToForeground();
    }
}

void Form1Slot::DiscardFinished() {
    if (current_ && !current_->Loaded()) {
        finished_.push_back(std::move(current_));
    }
    std::erase_if(finished_, [](const std::unique_ptr<Form1Showing>& showing) { return !showing->Busy(); });
}

} // namespace kob
