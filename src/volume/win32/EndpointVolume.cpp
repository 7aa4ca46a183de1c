#include "volume/win32/EndpointVolume.h"

#include "volume/VolumeScale.h"

namespace kob {

namespace {

// The About window shows as much of the name as the winmm mixer's product-name field ever held.
constexpr std::size_t kNameLength = 31;

} // namespace

template <typename Call> bool EndpointVolume::WithEndpoint(Call&& call) {
    // Headphones plugged in make another device the default: the master volume is now theirs.
    if (endpoint_.DefaultChanged()) {
        endpoint_.Resolve();
    }
    return call() || (endpoint_.Resolve() && call());
}

std::optional<VolumeFailure> EndpointVolume::Find(Control) {
    if (!found_) {
        if (!endpoint_.Resolve()) {
            return VolumeFailure::OpenFailed;
        }
        found_ = true;
    }
    name_ = endpoint_.FriendlyName().substr(0, kNameLength);
    return std::nullopt;
}

bool EndpointVolume::ReadVolume(std::int32_t& value) {
    float scalar = 0;
    if (!WithEndpoint([&] { return endpoint_.ReadLevel(scalar); })) {
        return false;
    }
    value = DeviceValueFromScalar(scalar);
    return true;
}

bool EndpointVolume::WriteVolume(std::int32_t value) {
    const float scalar = ScalarFromDeviceValue(value);
    return WithEndpoint([&] { return endpoint_.WriteLevel(scalar); });
}

bool EndpointVolume::ReadMuted(bool& muted) {
    return WithEndpoint([&] { return endpoint_.ReadMute(muted); });
}

bool EndpointVolume::WriteMuted(bool muted) {
    return WithEndpoint([&] { return endpoint_.WriteMute(muted); });
}

bool EndpointCanBeTheMaster(AudioEndpoint& endpoint) {
    float level = 0;
    return endpoint.Resolve() && endpoint.ReadLevel(level) && endpoint.TellsVolumeSteps();
}

} // namespace kob
