#include "volume/MasterVolume.h"

#include <algorithm>
#include <utility>

namespace kob {

VolumeDevice& MasterVolume::Device() {
    if (!device_) {
        device_ = &choose_();
    }
    return *device_;
}

std::optional<VolumeFailure> MasterVolume::LookAt(DeviceUse use) {
    if (const auto failure = Device().LookAt(use)) {
        return failure;
    }
    if (use == DeviceUse::Volume) {
        deviceName_ = Device().Name();
    }
    return std::nullopt;
}

std::optional<VolumeFailure> MasterVolume::SetVolume(int percent) {
    return Device().SetPercent(std::clamp(percent, 0, 100));
}

std::optional<VolumeFailure> MasterVolume::SetMuted(bool muted) {
    if (const auto failure = Device().SetMuted(muted)) {
        return failure;
    }
    deviceName_ = Device().Name();
    return std::nullopt;
}

Notice EndingOf(VolumeFailure failure) {
    const auto ending = [](const char* message, ExitCode code) {
        return Notice{message, MessageIcon::Exclamation, CodeOf(code)};
    };
    switch (failure) {
    case VolumeFailure::NoDevice:
        return ending("Error! Unable to open a Mixer Device. Program will be terminated.", ExitCode::NoMixerDevice);
    case VolumeFailure::NoOutput:
        return ending("Error! Unable to get Mixer Line information.", ExitCode::NoMixerLine);
    case VolumeFailure::NoControl:
        return ending("Error! Unable to retriev the controls associated with an audio line .",
                      ExitCode::NoMixerControl);
    case VolumeFailure::VolumeUnreadable:
        return ending("Error! Can't get Mixer Control Details.", ExitCode::VolumeUnreadable);
    case VolumeFailure::NotSet:
        return ending("Error! Unable to set Mixer Control Details.", ExitCode::VolumeNotSet);
    case VolumeFailure::MuteUnreadable:
        return ending("Error! Unable to get Mixer Control Details.", ExitCode::MuteUnreadable);
    }
    return ending("", ExitCode::NoMixerDevice); // every failure has its case above
}

} // namespace kob
