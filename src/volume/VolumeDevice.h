#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kob {

// What can go wrong with the master volume. Each ends the program with its own message and exit code.
enum class VolumeFailure {
    OpenFailed,
    LineInfoFailed,
    LineControlsFailed,
    VolumeReadFailed,
    SetFailed,
    MuteReadFailed
};

// The master output as one backend reaches it: its volume, on a scale from 0 (silence) to kDeviceFullScale, and its
// mute. A control is found before it is read or written, and found again at the moments the program always has.
class VolumeDevice {
public:
    enum class Control { Volume, Mute };
    static constexpr std::int32_t kDeviceFullScale = 65535;

    virtual ~VolumeDevice() = default;
    // Finds the master output's control of this kind as the device is now; on failure, the step that failed
    // (OpenFailed, LineInfoFailed or LineControlsFailed).
    virtual std::optional<VolumeFailure> Find(Control control) = 0;
    // The device's name as the last find saw it; empty when it has none.
    virtual std::string Name() = 0;
    // Each false when the device refused the call.
    virtual bool ReadVolume(std::int32_t& value) = 0;
    virtual bool WriteVolume(std::int32_t value) = 0;
    virtual bool ReadMuted(bool& muted) = 0;
    virtual bool WriteMuted(bool muted) = 0;
};

} // namespace kob
