#pragma once

#include <windows.h>

#include <string>

#include "tray/SoundDevice.h"

namespace kob {

// The test sound over MCI command strings: one wave-audio device, opened on its file under an alias of its own,
// whose end of playback is reported to the given window as MM_MCINOTIFY.
class MciSoundDevice : public SoundDevice {
public:
    MciSoundDevice() = default;
    MciSoundDevice(const MciSoundDevice&) = delete;
    MciSoundDevice& operator=(const MciSoundDevice&) = delete;
    ~MciSoundDevice() override;

    void SetNotifyWindow(HWND window) { notifyWindow_ = window; }
    bool Open(const std::string& waveFile) override;
    bool Play() override;
    bool Stop() override;
    bool Close() override;
    // Whether a notification reports that this device's playback has ended (played through or failed), rather
    // than that a stop or close of our own cut it short.
    bool IsEndOfPlayback(WPARAM flags, LPARAM device) const;

private:
    bool Send(const std::string& command, HWND callback = nullptr);

    HWND notifyWindow_ = nullptr;
    UINT deviceId_ = 0;
};

} // namespace kob
