#include "controller/ControllerShowing.h"

#include <utility>

namespace kob {

namespace {

constexpr const char* kMsgNoControllerWindow = "Unable to create the controller window.";

} // namespace

ControllerShowing::ControllerShowing(const ControllerWindowMaker& makeWindow, MasterVolume& volume,
                                     const ControllerServices& services, const StartupFacts& facts,
                                     std::function<void()> onUnloaded, const Reporter& report)
    : report_(report), onUnloaded_(std::move(onUnloaded)), window_(makeWindow(*this)),
      controller_(*window_, volume, services, facts, report) {}

ControllerShowing::~ControllerShowing() {
    // The window goes while the logic its last messages reach is still here.
    if (loaded_) {
        window_->Unload();
    }
}

std::optional<VolumeFailure> ControllerShowing::Load() {
    // A showing loads once: loading again would leave the first window behind.
    if (loadStarted_) {
        return std::nullopt;
    }
    loadStarted_ = true;
    if (!window_->Create()) {
        report_({kMsgNoControllerWindow, MessageIcon::Exclamation, std::nullopt});
        return std::nullopt;
    }
    loaded_ = true;
    return controller_.Load();
}

void ControllerShowing::OnWindowGone() {
    loaded_ = false;
    controller_.OnUnloaded();
    if (onUnloaded_) {
        onUnloaded_();
    }
}

} // namespace kob
