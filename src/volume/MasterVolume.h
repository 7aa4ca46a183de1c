#pragma once

#include <cstdint>
#include <string>

#include "platform/MessageBoxService.h"
#include "platform/ProcessControl.h"
#include "volume/VolumeDevice.h"

namespace kob {

// The master volume, shared by the controller, the mute monitor and the About window: the level in percent, the
// mute, and the device's name. Every failure shows its message and ends the program, so a caller that gets control
// back has its answer.
class MasterVolume {
public:
    MasterVolume(VolumeDevice& device, MessageBoxService& messages, ProcessControl& process)
        : device_(device), messages_(messages), process_(process) {}
    MasterVolume(const MasterVolume&) = delete;
    MasterVolume& operator=(const MasterVolume&) = delete;

    // The controller's find of the volume control, at each of its loads; it names the device too.
    void FindVolumeControl();
    // The mute monitor's find of the mute control, at start-up. The device's name stays as it was.
    void FindMuteControl();

    // The level in percent, 0 (silence) to 100.
    std::int32_t Volume();
    // Sets the level; a percent outside 0..100 is taken as the nearer end.
    void SetVolume(std::int32_t percent);
    bool Muted();
    // The mute box's write. The device's name is learnt anew: the device may have been looked at again.
    void SetMuted(bool muted);

    // Empty until the controller's first find.
    const std::string& DeviceName() const { return deviceName_; }

private:
    void EndOn(std::optional<VolumeFailure> failure);
    [[noreturn]] void Fail(VolumeFailure failure);

    VolumeDevice& device_;
    MessageBoxService& messages_;
    ProcessControl& process_;
    std::string deviceName_;
};

} // namespace kob
