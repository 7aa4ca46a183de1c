#pragma once

#include <string>

#include "volume/VolumeDevice.h"
#include "volume/win32/AudioEndpoint.h"

namespace kob {

// The master volume on the default render endpoint, so that on Windows Vista and later the program acts on the
// real master volume rather than on its own audio session. The endpoint is looked for when the first use is
// prepared; a call follows another device that has become the default, and a call that finds the endpoint gone (a
// device unplugged or disabled) looks for the default device again once before it fails.
class EndpointVolume : public VolumeDevice {
public:
    explicit EndpointVolume(AudioEndpoint& endpoint) : endpoint_(endpoint) {}

    // Both uses are served by the one endpoint.
    std::optional<VolumeFailure> LookAt(DeviceUse) override { return Connect(); }
    VolumeResult<int> Percent() override;
    std::optional<VolumeFailure> SetPercent(int percent) override;
    VolumeResult<bool> Muted() override;
    std::optional<VolumeFailure> SetMuted(bool muted) override;
    std::string Name() override { return endpoint_.FriendlyName(); }

private:
    // Finds the default device the first time; every later use follows the default by itself.
    std::optional<VolumeFailure> Connect();
    // Runs an endpoint call; when it fails, finds the default device again and runs it once more. The call's result.
    template <typename Call> auto WithEndpoint(Call&& call);

    AudioEndpoint& endpoint_;
    bool connected_ = false;
};

// Whether the endpoint can stand for the master volume, asked without touching the volume: it exists, its level can
// be read and it tells its volume steps. Every endpoint of Windows does; one that answers only part of the interface
// (Wine's, which refuses to set the level) does not tell its steps either. Otherwise the program keeps the winmm
// mixer (Windows 2000 and XP have no endpoint).
bool EndpointCanBeTheMaster(AudioEndpoint& endpoint);

} // namespace kob
