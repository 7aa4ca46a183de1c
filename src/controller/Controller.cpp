#include "controller/Controller.h"

#include "common/Twips.h"
#include "controller/ControllerLayout.h"
#include "platform/ErrorGuard.h"
#include "platform/WorkArea.h"

namespace kob {

Controller::Controller(ControllerView& view, MasterVolume& volume, const ControllerServices& services,
                       const StartupFacts& facts)
    : view_(view), volume_(volume), services_(services), facts_(facts) {}

void Controller::Load() {
    const double twipsPerPixelX = services_.screen.TwipsPerPixelX();
    const double twipsPerPixelY = services_.screen.TwipsPerPixelY();
    // Every step is guarded: an error is shown and loading goes on, unless the window went while the error was
    // shown. A volume failure ends the program instead.
    const auto step = [this](auto&& body) {
        if (!unloaded_) {
            ShowErrorAndGoOn(services_.messages, MessageIcon::Exclamation, body);
        }
    };

    step([&] { heightPixels_ = TwipsToPixels(controller_layout::kHeight, twipsPerPixelY); });
    step([&] { widthPixels_ = TwipsToPixels(controller_layout::kWidth, twipsPerPixelX); });
    step([&] {
        view_.SetWindowRegion(widthPixels_, heightPixels_, controller_layout::kCornerEllipse,
                              controller_layout::kCornerEllipse);
    });
    step([&] { view_.ShowSkin(); });
    step([&] { view_.ShowKnobPicture(); });
    step([&] {
        view_.SetKnobRegion(TwipsToPixels(controller_layout::kKnob.width, twipsPerPixelX),
                            TwipsToPixels(controller_layout::kKnob.height, twipsPerPixelY),
                            controller_layout::kCornerEllipse, controller_layout::kCornerEllipse);
    });
    step([&] { volume_.FindVolumeControl(); });
    step([&] { ShowVolume(); });
    // Work-area edges in pixels; an unreadable work area places the window from zero.
    std::int32_t workAreaRight = 0;
    std::int32_t workAreaBottom = 0;
    step([&] {
        GetWorkAreaRight(services_.screen, workAreaRight);
        GetWorkAreaBottom(services_.screen, workAreaBottom);
    });
    step([&] {
        // Measured from the window's far edges, so that a window grown with the display's DPI stays whole above
        // the task bar.
        view_.ShowAt(workAreaRight - controller_layout::kGapToWorkAreaRight - widthPixels_,
                     workAreaBottom - controller_layout::kGapToWorkAreaBottom - heightPixels_);
    });
    step([&] { view_.SetMuteBoxBackColor(controller_layout::kMuteBoxBackColor); });
    step([&] {
        state_.trackArmed = false;
        state_.opacity = controller_layout::kOpaque;
    });
}

void Controller::LoadAndUnloadUnseen(MasterVolume& volume) {
    IgnoreErrors([&] { volume.FindVolumeControl(); });
    IgnoreErrors([&] { volume.Volume(); });
}

void Controller::ShowVolume() {
    const std::int32_t percent = volume_.Volume();
    const bool changed = percent != state_.percent;
    state_.percent = percent;
    PlaceKnob(KnobTopFromPercent(percent));
    view_.SetReadout(std::to_string(percent));
    if (changed) {
        view_.AnnounceVolumeChanged();
    }
}

void Controller::SetVolumeFromLevel(std::int32_t level) {
    volume_.SetVolume(PercentFromLevel(level));
}

void Controller::PlaceKnob(float top) {
    state_.knobTop = top;
    view_.SetKnobTop(top);
}

} // namespace kob
