#pragma once

#include "volume/VolumeDevice.h"
#include "volume/win32/AudioEndpoint.h"

namespace kob {

// The master volume's backend, chosen at the first find and kept for the run: the default endpoint where it can
// stand for the master (EndpointCanBeTheMaster), the winmm mixer otherwise. The start-up makes its first find only
// after its refusals, so a refused start or a second copy never asks; the choice itself only reads.
class ChosenBackend final : public VolumeDevice {
public:
    ChosenBackend(AudioEndpoint& endpoint, VolumeDevice& onEndpoint, VolumeDevice& winmm)
        : endpoint_(endpoint), onEndpoint_(onEndpoint), winmm_(winmm) {}

    std::optional<VolumeFailure> Find(Control control) override { return Chosen().Find(control); }
    std::string Name() override { return Chosen().Name(); }
    bool ReadVolume(std::int32_t& value) override { return Chosen().ReadVolume(value); }
    bool WriteVolume(std::int32_t value) override { return Chosen().WriteVolume(value); }
    bool ReadMuted(bool& muted) override { return Chosen().ReadMuted(muted); }
    bool WriteMuted(bool muted) override { return Chosen().WriteMuted(muted); }

private:
    VolumeDevice& Chosen();

    AudioEndpoint& endpoint_;
    VolumeDevice& onEndpoint_;
    VolumeDevice& winmm_;
    VolumeDevice* chosen_ = nullptr;
};

} // namespace kob
