#pragma once

#include <string>

namespace kob {

// The device that plays the test sound, one sound at a time: opened on a wave file, played (its end reported to the
// tray window), stopped and closed. Each returns false when it fails.
class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    virtual bool Open(const std::string& waveFile) = 0;
    // Starts the opened sound and returns at once.
    virtual bool Play() = 0;
    virtual bool Stop() = 0;
    virtual bool Close() = 0;
};

} // namespace kob
