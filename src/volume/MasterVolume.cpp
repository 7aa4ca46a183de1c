#include "volume/MasterVolume.h"

#include "platform/FatalError.h"
#include "volume/VolumeScale.h"

namespace kob {

namespace {

// The one place where a failure gets the words the user reads.
const char* MessageFor(VolumeFailure failure) {
    switch (failure) {
    case VolumeFailure::OpenFailed:
        return "Error! Unable to open a Mixer Device. Program will be terminated.";
    case VolumeFailure::LineInfoFailed:
        return "Error! Unable to get Mixer Line information.";
    case VolumeFailure::LineControlsFailed:
        return "Error! Unable to retriev the controls associated with an audio line .";
    case VolumeFailure::VolumeReadFailed:
        return "Error! Can't get Mixer Control Details.";
    case VolumeFailure::SetFailed:
        return "Error! Unable to set Mixer Control Details.";
    case VolumeFailure::MuteReadFailed:
        return "Error! Unable to get Mixer Control Details.";
    }
    return ""; // every failure has its case above
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
    EndWithMessage(messages_, process_, MessageFor(failure), MessageIcon::Exclamation);
}

} // namespace kob
