#include "controller/Controller.h"

#include <utility>

#include "common/Twips.h"
#include "controller/ControllerLayout.h"

namespace kob {

namespace {

constexpr const char* kMsgNoSkinPicture = "Unable to load the skin picture.";
constexpr const char* kMsgNoKnobPicture = "Unable to load the knob picture.";

} // namespace

Controller::Controller(ControllerView& view, MasterVolume& volume, const ControllerServices& services,
                       const StartupFacts& facts, Reporter report)
    : view_(view), volume_(volume), services_(services), facts_(facts), report_(std::move(report)) {}

std::optional<VolumeFailure> Controller::Load() {
    const double twipsPerPixelX = services_.screen.TwipsPerPixelX();
    const double twipsPerPixelY = services_.screen.TwipsPerPixelY();
    heightPixels_ = TwipsToPixels(controller_layout::kHeight, twipsPerPixelY);
    widthPixels_ = TwipsToPixels(controller_layout::kWidth, twipsPerPixelX);
    view_.ShapeWindow(widthPixels_, heightPixels_);
    // A picture that cannot be loaded is reported and the window goes on without it, unless the window went while
    // the report was open.
    if (!view_.ShowSkin()) {
        Report(Notice{kMsgNoSkinPicture, MessageIcon::Exclamation, std::nullopt});
        if (unloaded_) {
            return std::nullopt;
        }
    }
    if (!view_.ShowKnobPicture()) {
        Report(Notice{kMsgNoKnobPicture, MessageIcon::Exclamation, std::nullopt});
        if (unloaded_) {
            return std::nullopt;
        }
    }
    view_.ShapeKnob(TwipsToPixels(SliderGeometry::kKnob.width, twipsPerPixelX),
                    TwipsToPixels(SliderGeometry::kKnob.height, twipsPerPixelY));
    if (const auto failure = volume_.LookAt(DeviceUse::Volume)) {
        return failure;
    }
    if (const auto failure = ShowVolume()) {
        return failure;
    }
    // Measured from the window's far edges in pixels, so that a window grown with the display's DPI stays whole
    // above the task bar; an unreadable work area places the window from zero.
    const ScreenRect workArea = services_.screen.WorkArea();
    view_.ShowAt(workArea.right - controller_layout::kGapToWorkAreaRight - widthPixels_,
                 workArea.bottom - controller_layout::kGapToWorkAreaBottom - heightPixels_);
    view_.SetMuteBoxBackColor(controller_layout::kMuteBoxBackColor);
    state_.trackArmed = false;
    state_.opacity = controller_layout::kOpaque;
    return std::nullopt;
}

std::optional<VolumeFailure> Controller::LearnDeviceName(MasterVolume& volume) {
    if (const auto failure = volume.LookAt(DeviceUse::Volume)) {
        return failure;
    }
    return volume.Volume().Failure();
}

std::optional<VolumeFailure> Controller::ShowVolume() {
    const VolumeResult<int> read = volume_.Volume();
    if (const auto failure = read.Failure()) {
        return failure;
    }
    const int percent = read.Value();
    const Twips knobTop = SliderGeometry::KnobTopAt(percent);
    // The sync reads the volume at every tick of a 1 ms timer: a still volume, shown where the knob already is,
    // costs the window nothing. A knob the pointer left between two levels is still put back on its level.
    if (percent == state_.percent && knobTop == state_.knobTop) {
        return std::nullopt;
    }
    const bool changed = percent != state_.percent;
    state_.percent = percent;
    PlaceKnob(knobTop);
    view_.SetReadout(std::to_string(percent));
    if (changed) {
        view_.AnnounceVolumeChanged();
    }
    return std::nullopt;
}

std::optional<VolumeFailure> Controller::SetVolumeFromLevel(std::int32_t level) {
    return volume_.SetVolume(SliderGeometry::PercentOfLevel(level));
}

void Controller::Report(std::optional<VolumeFailure> failure) {
    if (failure) {
        report_(EndingOf(*failure));
    }
}

void Controller::Report(const std::optional<Notice>& notice) {
    if (notice) {
        report_(*notice);
    }
}

void Controller::PlaceKnob(Twips top) {
    state_.knobTop = top;
    view_.SetKnobTop(top);
}

} // namespace kob
