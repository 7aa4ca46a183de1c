#include "mixer/EndpointMixer.h"

#include "common/Rounding.h"
#include "mixer/ControlTypes.h"
#include "mixer/VolumeScale.h"

namespace kob {

namespace {

// The published winmm results the logic knows.
constexpr std::uint32_t kError = 1;             // MMSYSERR_ERROR
constexpr std::uint32_t kBadDeviceId = 2;       // MMSYSERR_BADDEVICEID
constexpr std::uint32_t kInvalidHandle = 5;     // MMSYSERR_INVALHANDLE
constexpr std::uint32_t kInvalidLine = 1024;    // MIXERR_INVALLINE
constexpr std::uint32_t kInvalidControl = 1025; // MIXERR_INVALCONTROL

constexpr std::uint32_t kSpeakersLineId = 0xFFFF0000;
constexpr std::uint32_t kVolumeId = 0;
constexpr std::uint32_t kMuteId = 1;
// The published ANSI MIXERCONTROLA's size and its product-name field's.
constexpr std::uint32_t kControlRecordSize = 148;
constexpr std::size_t kNameField = 32;

} // namespace

template <typename Call> bool EndpointMixer::WithEndpoint(Call&& call) {
    // Headphones plugged in make another device the default: the master volume is now theirs.
    if (endpoint_.DefaultChanged()) {
        endpoint_.Resolve();
    }
    return call() || (endpoint_.Resolve() && call());
}

std::uint32_t EndpointMixer::OpenDevice0(std::uintptr_t& handle) {
    if (!endpoint_.Resolve()) {
        return kBadDeviceId;
    }
    handle = nextHandle_++;
    open_.insert(handle);
    return kMixerNoError;
}

std::uint32_t EndpointMixer::GetSpeakersLine(std::uintptr_t handle, MixerLineInfo& line) {
    if (open_.count(handle) == 0) {
        return kInvalidHandle;
    }
    line.lineId = kSpeakersLineId;
    // The name field holds 31 characters and a NUL, NUL padded like the mixer's.
    line.targetName = endpoint_.FriendlyName().substr(0, kNameField - 1);
    line.targetName.resize(kNameField, '\0');
    return kMixerNoError;
}

std::uint32_t EndpointMixer::GetLineControlByType(std::uintptr_t handle, std::uint32_t lineId,
                                                  std::uint32_t controlType, MixerControlInfo& control) {
    if (open_.count(handle) == 0) {
        return kInvalidHandle;
    }
    if (lineId != kSpeakersLineId) {
        return kInvalidLine;
    }
    if (controlType != kControlTypeVolume && controlType != kControlTypeMute) {
        return kInvalidControl;
    }
    const bool volume = controlType == kControlTypeVolume;
    control.cbStruct = kControlRecordSize;
    control.controlId = volume ? kVolumeId : kMuteId;
    control.controlType = controlType;
    control.multipleItems = 0;
    control.shortName = volume ? "Volume" : "Mute";
    control.name = volume ? "Master Volume" : "Master Mute";
    control.minimum = 0;
    control.maximum = volume ? static_cast<std::int32_t>(kMixerFullScale) : 1;
    return kMixerNoError;
}

std::uint32_t EndpointMixer::GetControlValue(std::uintptr_t handle, std::uint32_t controlId, std::int32_t& value) {
    if (open_.count(handle) == 0) {
        return kInvalidHandle;
    }
    if (controlId == kVolumeId) {
        float scalar = 0;
        if (!WithEndpoint([&] { return endpoint_.ReadLevel(scalar); })) {
            return kError;
        }
        value = RoundToInt32(static_cast<double>(scalar) * kMixerFullScale);
        return kMixerNoError;
    }
    if (controlId == kMuteId) {
        bool muted = false;
        if (!WithEndpoint([&] { return endpoint_.ReadMute(muted); })) {
            return kError;
        }
        value = muted ? 1 : 0;
        return kMixerNoError;
    }
    return kInvalidControl;
}

std::uint32_t EndpointMixer::SetControlValue(std::uintptr_t handle, std::uint32_t controlId, std::int32_t value) {
    if (open_.count(handle) == 0) {
        return kInvalidHandle;
    }
    if (controlId == kVolumeId) {
        const auto scalar = static_cast<float>(value / kMixerFullScale);
        return WithEndpoint([&] { return endpoint_.WriteLevel(scalar); }) ? kMixerNoError : kError;
    }
    if (controlId == kMuteId) {
        return WithEndpoint([&] { return endpoint_.WriteMute(value != 0); }) ? kMixerNoError : kError;
    }
    return kInvalidControl;
}

void EndpointMixer::Close(std::uintptr_t handle) {
    open_.erase(handle);
}

bool EndpointCanBeTheMaster(AudioEndpoint& endpoint) {
    float level = 0;
    return endpoint.Resolve() && endpoint.ReadLevel(level) && endpoint.WriteLevel(level);
}

} // namespace kob
