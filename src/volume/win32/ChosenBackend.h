#pragma once

#include "volume/VolumeDevice.h"
#include "volume/win32/AudioEndpoint.h"

namespace kob {

// The master volume's backend, chosen at the first use and kept for the run: the default endpoint where it can
// stand for the master (EndpointCanBeTheMaster), the winmm mixer otherwise. The start-up's first use (preparing the
// mute) comes only after its refusals, so a refused start or a second copy never asks; the choice itself only reads.
class ChosenBackend final : public VolumeDevice {
public:
    ChosenBackend(AudioEndpoint& endpoint, VolumeDevice& onEndpoint, VolumeDevice& winmm)
        : endpoint_(endpoint), onEndpoint_(onEndpoint), winmm_(winmm) {}

    std::optional<VolumeFailure> PrepareMute() override { return Chosen().PrepareMute(); }
    std::optional<VolumeFailure> PrepareVolume() override { return Chosen().PrepareVolume(); }
    VolumeResult<int> Percent() override { return Chosen().Percent(); }
    std::optional<VolumeFailure> SetPercent(int percent) override { return Chosen().SetPercent(percent); }
    VolumeResult<bool> Muted() override { return Chosen().Muted(); }
    std::optional<VolumeFailure> SetMuted(bool muted) override { return Chosen().SetMuted(muted); }
    std::string Name() override { return Chosen().Name(); }

private:
    VolumeDevice& Chosen();

    AudioEndpoint& endpoint_;
    VolumeDevice& onEndpoint_;
    VolumeDevice& winmm_;
    VolumeDevice* chosen_ = nullptr;
};

} // namespace kob
