#include "volume/win32/EndpointVolume.h"

#include "common/Rounding.h"

namespace kob {

template <typename Call> auto EndpointVolume::WithEndpoint(Call&& call) {
    // Headphones plugged in make another device the default: the master volume is now theirs.
    if (endpoint_.DefaultChanged()) {
        endpoint_.Resolve();
    }
    auto result = call();
    if (!result && endpoint_.Resolve()) {
        result = call();
    }
    return result;
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
    const std::optional<float> scalar = WithEndpoint([&] { return endpoint_.Level(); });
    if (!scalar) {
        return VolumeFailure::VolumeUnreadable;
    }
    return RoundToInt32(static_cast<double>(*scalar) * 100.0);
}

std::optional<VolumeFailure> EndpointVolume::SetPercent(int percent) {
    const float scalar = static_cast<float>(percent / 100.0);
    if (!WithEndpoint([&] { return endpoint_.WriteLevel(scalar); })) {
        return VolumeFailure::NotSet;
    }
    return std::nullopt;
}

VolumeResult<bool> EndpointVolume::Muted() {
    const std::optional<bool> muted = WithEndpoint([&] { return endpoint_.Muted(); });
    if (!muted) {
        return VolumeFailure::MuteUnreadable;
    }
    return *muted;
}

std::optional<VolumeFailure> EndpointVolume::SetMuted(bool muted) {
    if (!WithEndpoint([&] { return endpoint_.WriteMute(muted); })) {
        return VolumeFailure::NotSet;
    }
    return std::nullopt;
}

bool EndpointCanBeTheMaster(AudioEndpoint& endpoint) {
    return endpoint.Resolve() && endpoint.Level() && endpoint.TellsVolumeSteps();
}

} // namespace kob
