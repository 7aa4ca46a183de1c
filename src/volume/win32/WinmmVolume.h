#pragma once

#include <windows.h>

#include <mmsystem.h>

#include <string>

#include "volume/VolumeDevice.h"

namespace kob {

// The winmm functions the mixer backend calls: the system's by default, others in tests that need a mixer which
// fails where Wine's never does.
struct WinmmCalls {
    decltype(&mixerOpen) open = &mixerOpen;
    decltype(&mixerClose) close = &mixerClose;
    decltype(&mixerGetLineInfoA) getLineInfo = &mixerGetLineInfoA;
    decltype(&mixerGetLineControlsA) getLineControls = &mixerGetLineControlsA;
    decltype(&mixerGetControlDetailsA) getControlDetails = &mixerGetControlDetailsA;
    decltype(&mixerSetControlDetails) setControlDetails = &mixerSetControlDetails;
};

// The master volume as the volume and mute controls of mixer device 0's speakers line, in the published ANSI
// records. One mixer handle serves the whole run: opened at the first find, reused by every later one, opened anew
// only when a find's call on it failed, and closed when the backend goes. Each transfer goes through its own
// zero-filled global block.
class WinmmVolume : public VolumeDevice {
public:
    explicit WinmmVolume(const WinmmCalls& calls = {}) : calls_(calls) {}
    WinmmVolume(const WinmmVolume&) = delete;
    WinmmVolume& operator=(const WinmmVolume&) = delete;
    ~WinmmVolume() override;

    std::optional<VolumeFailure> Find(Control control) override;
    std::string Name() override { return name_; }
    bool ReadVolume(std::int32_t& value) override;
    bool WriteVolume(std::int32_t value) override;
    bool ReadMuted(bool& muted) override;
    bool WriteMuted(bool muted) override;

private:
    enum class Found { Control, NoLine, NoControl };

    // Finds the speakers line and its control of the type through the kept handle.
    Found Fetch(DWORD controlType, DWORD& controlId);
    // Opens device 0 and makes the new handle the only one; false when the device cannot be opened.
    bool Reopen();
    bool ReadValue(DWORD controlId, std::int32_t& value);
    bool WriteValue(DWORD controlId, std::int32_t value);

    WinmmCalls calls_;
    HMIXER mixer_ = nullptr;
    std::string name_;
    DWORD volumeId_ = 0;
    DWORD muteId_ = 0;
};

} // namespace kob
