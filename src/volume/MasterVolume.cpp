#include "volume/MasterVolume.h"

#include "platform/FatalError.h"
#include "volume/VolumeScale.h"

namespace kob {

namespace {

struct Ending {
    const char* message;
    ExitCode code;
};

// The one place where a failure gets the words the user reads and the code the program ends with.
Ending EndingFor(VolumeFailure failure) {
    switch (failure) {
    case VolumeFailure::OpenFailed:
        return {"Error! Unable to open a Mixer Device. Program will be terminated.", ExitCode::NoMixerDevice};
    case VolumeFailure::LineInfoFailed:
        return {"Error! Unable to get Mixer Line information.", ExitCode::NoMixerLine};
    case VolumeFailure::LineControlsFailed:
        return {"Error! Unable to retriev the controls associated with an audio line .", ExitCode::NoMixerControl};
    case VolumeFailure::VolumeReadFailed:
        return {"Error! Can't get Mixer Control Details.", ExitCode::VolumeUnreadable};
    case VolumeFailure::SetFailed:
        return {"Error! Unable to set Mixer Control Details.", ExitCode::VolumeNotSet};
    case VolumeFailure::MuteReadFailed:
        return {"Error! Unable to get Mixer Control Details.", ExitCode::MuteUnreadable};
    }
    return {"", ExitCode::NoMixerDevice}; // every failure has its case above
}

} // namespace

void MasterVolume::FindVolumeControl() {
    FindAndName(VolumeDevice::Control::Volume);
}

void MasterVolume::FindMuteControl() {
    Find(VolumeDevice::Control::Mute);
}

std::int32_t MasterVolume::Volume() {
    std::int32_t value = 0;
    if (!device_.ReadVolume(value)) {
        Fail(VolumeFailure::VolumeReadFailed);
    }
    return PercentFromDeviceValue(value);
}

void MasterVolume::SetVolume(std::int32_t percent) {
    if (!device_.WriteVolume(DeviceValueFromPercent(percent))) {
        Fail(VolumeFailure::SetFailed);
    }
}

bool MasterVolume::Muted() {
    bool muted = false;
    if (!device_.ReadMuted(muted)) {
        Fail(VolumeFailure::MuteReadFailed);
    }
    return muted;
}

void MasterVolume::SetMuted(bool muted) {
    FindAndName(VolumeDevice::Control::Mute);
    if (!device_.WriteMuted(muted)) {
        Fail(VolumeFailure::SetFailed);
    }
    FindAndName(VolumeDevice::Control::Volume);
}

void MasterVolume::FindAndName(VolumeDevice::Control control) {
    Find(control);
    deviceName_ = device_.Name();
}

void MasterVolume::Find(VolumeDevice::Control control) {
    if (const std::optional<VolumeFailure> failure = device_.Find(control)) {
        Fail(*failure);
    }
}

void MasterVolume::Fail(VolumeFailure failure) {
    const Ending ending = EndingFor(failure);
    EndWithMessage(messages_, process_, ending.message, MessageIcon::Exclamation, ending.code);
}

} // namespace kob
