#pragma once

#include <windows.h>

#include <mmsystem.h>

#include <optional>
#include <string>

#include "platform/win32/DynamicCalls.h"
#include "volume/VolumeDevice.h"

namespace kob {

// The master volume as the volume and mute controls of mixer device 0's speakers line, in the published ANSI
// records, on the mixer's scale of 0 to 65535. A look for a use finds its control on the line (and the device's name)
// anew; so does setting the mute, which finds the mute control, writes it, and finds the volume control again. The
// functions are loaded at the first find, so the program loads winmm.dll only when it uses the mixer. One mixer
// handle serves the whole run: opened at the first find, reused by every later one, opened anew only when a find's
// call on it failed, and closed when the backend goes. Each transfer goes through its own zero-filled global block.
class WinmmVolume : public VolumeDevice {
public:
    // The winmm functions the backend calls: the system's by default, others in tests that need a mixer which fails
    // where Wine's never does. Without any one of the mixer's six functions there is no mixer.
    using CallsLoader = const dynamic::WinmmCalls& (*)();
    explicit WinmmVolume(CallsLoader loadCalls = &dynamic::Winmm) : loadCalls_(loadCalls) {}
    WinmmVolume(const WinmmVolume&) = delete;
    WinmmVolume& operator=(const WinmmVolume&) = delete;
    ~WinmmVolume() override;

    // Finds the control the use needs: the mute control, or the volume control.
    std::optional<VolumeFailure> LookAt(DeviceUse use) override;
    VolumeResult<int> Percent() override;
    std::optional<VolumeFailure> SetPercent(int percent) override;
    VolumeResult<bool> Muted() override;
    std::optional<VolumeFailure> SetMuted(bool muted) override;
    std::string Name() override { return name_; }

private:
    enum class Found { Control, NoLine, NoControl };

    // Finds the speakers line's control of the type as the device is now, into its id.
    std::optional<VolumeFailure> Find(DWORD controlType, DWORD& controlId);
    // Finds the speakers line and its control of the type through the kept handle.
    Found Fetch(DWORD controlType, DWORD& controlId);
    // Opens device 0 and makes the new handle the only one; false when the device cannot be opened.
    bool Reopen();
    bool ReadValue(DWORD controlId, DWORD& value);
    bool WriteValue(DWORD controlId, DWORD value);

    CallsLoader loadCalls_;
    // Loaded at the first find.
    const dynamic::WinmmCalls* calls_ = nullptr;
    HMIXER mixer_ = nullptr;
    std::string name_;
    DWORD volumeId_ = 0;
    DWORD muteId_ = 0;
};

} // namespace kob
