#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "platform/Notice.h"
#include "volume/VolumeDevice.h"

namespace kob {

// The master volume, shared by the controller, the mute monitor and the About window: the level in percent, the
// mute, and the device's name as the controller last saw it. Each use that fails says why; the caller goes no
// further and hands the failure to the one place that ends the program.
class MasterVolume {
public:
    // Gives the device the master volume acts on. It is asked once, at the first use, and its answer stands for the
    // run: the start-up's first use comes only after its refusals, so a refused start or a second copy never asks.
    using DeviceChoice = std::function<VolumeDevice&()>;

    explicit MasterVolume(DeviceChoice choose) : choose_(std::move(choose)) {}
    explicit MasterVolume(VolumeDevice& device) : device_(&device) {}
    MasterVolume(const MasterVolume&) = delete;
    MasterVolume& operator=(const MasterVolume&) = delete;

    // A look at the device for a use: the start-up's, before the mute monitor follows the mute, or the controller's
    // at each of its loads, before it shows the volume, when the device's name is learnt anew.
    [[nodiscard]] std::optional<VolumeFailure> LookAt(DeviceUse use);

    // The level in percent, 0 (silence) to 100.
    VolumeResult<int> Volume() { return Device().Percent(); }
    // Sets the level; a percent outside 0..100 is taken as the nearer end.
    [[nodiscard]] std::optional<VolumeFailure> SetVolume(int percent);
    VolumeResult<bool> Muted() { return Device().Muted(); }
    // The mute box's write; the device's name is learnt anew, as the device may have been looked at again.
    [[nodiscard]] std::optional<VolumeFailure> SetMuted(bool muted);

    // Empty until the controller's first look.
    const std::string& DeviceName() const { return deviceName_; }

private:
    VolumeDevice& Device();

    DeviceChoice choose_;
    VolumeDevice* device_ = nullptr;
    std::string deviceName_;
};

// The message the user reads, with its icon, and the exit code the program ends with, for each failure.
Notice EndingOf(VolumeFailure failure);

} // namespace kob
