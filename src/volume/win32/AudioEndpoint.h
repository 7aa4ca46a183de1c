#pragma once

#include <optional>
#include <string>

namespace kob {

// The default render device's endpoint (console role), the master output since Windows Vista, in plain values.
class AudioEndpoint {
public:
    virtual ~AudioEndpoint() = default;
    // Finds the default render device as it is now, letting go of the one found before; false when there is none.
    virtual bool Resolve() = 0;
    // Whether another device has become the default since the last Resolve.
    virtual bool DefaultChanged() = 0;
    // The master level as a scalar from 0.0 to 1.0; none when it cannot be read.
    virtual std::optional<float> Level() = 0;
    virtual bool WriteLevel(float scalar) = 0;
    // Whether the endpoint tells how many steps its volume has.
    virtual bool TellsVolumeSteps() = 0;
    // None when the mute cannot be read.
    virtual std::optional<bool> Muted() = 0;
    virtual bool WriteMute(bool muted) = 0;
    // The device's friendly name in the ANSI code page; empty when it has none.
    virtual std::string FriendlyName() = 0;
};

} // namespace kob
