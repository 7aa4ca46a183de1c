#pragma once

#include <string>

namespace kob {

// The multimedia control that plays the test sound: its device type and file name, and command strings carried
// out at once on its device ("open", "Play", "stop", "close"). Each returns false when it fails.
class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    virtual bool SetDeviceType(const std::string& type) = 0;
    virtual bool SetFileName(const std::string& file) = 0;
    virtual bool Command(const std::string& command) = 0;
};

} // namespace kob
