#include "volume/MasterVolume.h"

#include <algorithm>

#include "platform/FatalError.h"

namespace kob {

namespace {

struct Ending {
    const char* message;
    ExitCode code;
};

// The one place where a failure gets the words the user reads and the code the program ends with.
Ending EndingFor(VolumeFailure failure) {
    switch (failure) {
    case VolumeFailure::NoDevice:
        return {"Error! Unable to open a Mixer Device. Program will be terminated.", ExitCode::NoMixerDevice};
    case VolumeFailure::NoOutput:
        return {"Error! Unable to get Mixer Line information.", ExitCode::NoMixerLine};
    case VolumeFailure::NoControl:
        return {"Error! Unable to retriev the controls associated with an audio line .", ExitCode::NoMixerControl};
    case VolumeFailure::VolumeUnreadable:
        return {"Error! Can't get Mixer Control Details.", ExitCode::VolumeUnreadable};
    case VolumeFailure::NotSet:
        return {"Error! Unable to set Mixer Control Details.", ExitCode::VolumeNotSet};
    case VolumeFailure::MuteUnreadable:
        return {"Error! Unable to get Mixer Control Details.", ExitCode::MuteUnreadable};
    }
    return {"", ExitCode::NoMixerDevice}; // every failure has its case above
}

} // namespace

void MasterVolume::FindVolumeControl() {
    EndOn(device_.PrepareVolume());
    deviceName_ = device_.Name();
}

void MasterVolume::FindMuteControl() {
    EndOn(device_.PrepareMute());
}

std::int32_t MasterVolume::Volume() {
    const VolumeResult<int> percent = device_.Percent();
    EndOn(percent.Failure());
    return percent.Value();
}

void MasterVolume::SetVolume(std::int32_t percent) {
    EndOn(device_.SetPercent(std::clamp<std::int32_t>(percent, 0, 100)));
}

bool MasterVolume::Muted() {
    const VolumeResult<bool> muted = device_.Muted();
    EndOn(muted.Failure());
    return muted.Value();
}

void MasterVolume::SetMuted(bool muted) {
    EndOn(device_.SetMuted(muted));
    deviceName_ = device_.Name();
}

void MasterVolume::EndOn(std::optional<VolumeFailure> failure) {
    if (failure) {
        Fail(*failure);
    }
}

void MasterVolume::Fail(VolumeFailure failure) {
    const Ending ending = EndingFor(failure);
    EndWithMessage(messages_, process_, ending.message, MessageIcon::Exclamation, ending.code);
}

} // namespace kob
