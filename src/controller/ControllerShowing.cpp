#include "controller/ControllerShowing.h"

#include <stdexcept>
#include <utility>

#include "platform/ErrorGuard.h"

namespace kob {

ControllerShowing::ControllerShowing(const ControllerWindowMaker& makeWindow, MasterVolume& volume,
                                     const ControllerServices& services, const StartupFacts& facts,
                                     std::function<void()> onUnloaded,
                                     std::function<void(VolumeFailure)> onVolumeFailure)
    : messages_(services.messages), onUnloaded_(std::move(onUnloaded)), window_(makeWindow(*this)),
      controller_(*window_, volume, services, facts, std::move(onVolumeFailure)) {}

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
    const HandlerScope scope(*this);
    ShowErrorAndGoOn(messages_, MessageIcon::Exclamation, [&] {
        if (!window_->Create()) {
            throw std::runtime_error("Unable to create the controller window.");
        }
        loaded_ = true;
    });
    return loaded_ ? controller_.Load() : std::nullopt;
}

void ControllerShowing::OnWindowGone() {
    loaded_ = false;
    controller_.OnUnloaded();
    if (onUnloaded_) {
        onUnloaded_();
    }
}

} // namespace kob
