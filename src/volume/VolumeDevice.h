#pragma once

#include <optional>
#include <string>

namespace kob {

// What can go wrong with the master volume. Each ends the program with its own message and exit code.
enum class VolumeFailure {
    // No device can be opened, or there is no default output device.
    NoDevice,
    // The device has no master output (its speakers line).
    NoOutput,
    // The master output lacks the volume or the mute control asked for.
    NoControl,
    VolumeUnreadable,
    // The device refused a new volume or mute.
    NotSet,
    MuteUnreadable
};

// What a use of the master volume gives: its value, or the failure that kept it from being had.
template <typename T> class VolumeResult {
public:
    VolumeResult(T value) : value_(value) {}
    VolumeResult(VolumeFailure failure) : failure_(failure) {}

    // None when the value was had.
    std::optional<VolumeFailure> Failure() const { return failure_; }
    // Meaningful only without a failure.
    T Value() const { return value_; }

private:
    T value_{};
    std::optional<VolumeFailure> failure_;
};

// What the device is looked at for: the mute the start-up is about to follow, or the volume the controller is about
// to show.
enum class DeviceUse { Mute, Volume };

// The master output as a backend reaches it: its volume in percent, its mute and its name. A call that fails says
// why instead.
class VolumeDevice {
public:
    virtual ~VolumeDevice() = default;

    // The device is looked at anew, as it is now, at two moments: before the mute is first followed (at start-up)
    // and before the volume is shown (at each load of the controller), so that a device changed in the meantime is
    // noticed then. It fails when the device cannot serve the use. Reading or setting the volume, and reading the
    // mute, come after a look for their use; setting the mute looks at the device anew by itself.
    [[nodiscard]] virtual std::optional<VolumeFailure> LookAt(DeviceUse use) = 0;

    // 0 (silence) to 100.
    virtual VolumeResult<int> Percent() = 0;
    // A percent from 0 to 100.
    [[nodiscard]] virtual std::optional<VolumeFailure> SetPercent(int percent) = 0;
    virtual VolumeResult<bool> Muted() = 0;
    [[nodiscard]] virtual std::optional<VolumeFailure> SetMuted(bool muted) = 0;
    // The device's name as the device is now, or as the backend last looked at it; empty when it has none.
    virtual std::string Name() = 0;
};

} // namespace kob
