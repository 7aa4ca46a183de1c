#pragma once

#include <windows.h>

#include <string>

#include "tray/SoundDevice.h"

namespace kob {

// The test sound's multimedia control over MCI command strings: one device, opened by type and file name under an
// alias of its own, whose end of playback is reported to the given window as MM_MCINOTIFY.
class MciSoundDevice : public SoundDevice {
public:
    MciSoundDevice() = default;
    MciSoundDevice(const MciSoundDevice&) = delete;
    MciSoundDevice& operator=(const MciSoundDevice&) = delete;
    ~MciSoundDevice() override;

    void SetNotifyWindow(HWND window) { notifyWindow_ = window; }
    bool SetDeviceType(const std::string& type) override;
    bool SetFileName(const std::string& file) override;
    bool Command(const std::string& command) override;
    // Whether a notification reports that this device's playback has ended (played through or failed), rather
    // than that a stop or close of our own cut it short.
    bool IsEndOfPlayback(WPARAM flags, LPARAM device) const;

private:
    bool Send(const std::string& command, HWND callback = nullptr);

    HWND notifyWindow_ = nullptr;
    std::string type_;
    std::string file_;
    UINT deviceId_ = 0;
};

} // namespace kob
