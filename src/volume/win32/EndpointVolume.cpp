#include "volume/win32/EndpointVolume.h"

#include "common/Rounding.h"

namespace kob {

template <typename Call> bool EndpointVolume::WithEndpoint(Call&& call) {
    // Headphones plugged in make another device the default: the master volume is now theirs.
    if (endpoint_.DefaultChanged()) {
        endpoint_.Resolve();
    }
    return call() || (endpoint_.Resolve() && call());
}

std::optional<VolumeFailure> EndpointVolume::Connect() {
    if (!connected_) {
        if (!endpoint_.Resolve()) {
            return VolumeFailure::NoDevice;
        }
        connected_ = true;
    }
    return std::nullopt;
}

VolumeResult<int> EndpointVolume::Percent() {
    float scalar = 0;
    if (!WithEndpoint([&] { return endpoint_.ReadLevel(scalar); })) {
        return VolumeFailure::VolumeUnreadable;
    }
    return RoundToInt32(static_cast<double>(scalar) * 100.0);
}

std::optional<VolumeFailure> EndpointVolume::SetPercent(int percent) {
    const float scalar = static_cast<float>(percent / 100.0);
    if (!WithEndpoint([&] { return endpoint_.WriteLevel(scalar); })) {
        return VolumeFailure::NotSet;
    }
    return std::nullopt;
}

VolumeResult<bool> EndpointVolume::Muted() {
    bool muted = false;
    if (!WithEndpoint([&] { return endpoint_.ReadMute(muted); })) {
        return VolumeFailure::MuteUnreadable;
    }
    return muted;
}

std::optional<VolumeFailure> EndpointVolume::SetMuted(bool muted) {
    if (!WithEndpoint([&] { return endpoint_.WriteMute(muted); })) {
        return VolumeFailure::NotSet;
    }
    return std::nullopt;
}

bool EndpointCanBeTheMaster(AudioEndpoint& endpoint) {
    float level = 0;
    return endpoint.Resolve() && endpoint.ReadLevel(level) && endpoint.TellsVolumeSteps();
}

} // namespace kob
