#pragma once

#include <cstdint>
#include <string>

#include "mixer/MixerService.h"
#include "platform/MessageBoxService.h"
#include "platform/ProcessControl.h"

namespace kob {

// The master output of mixer device 0, shared by the controller, the mute monitor and the About window. It owns
// one mixer handle for the life of the program (opened at the first discovery, reused by every later one, opened
// anew only after a call on it failed, and closed when the mixer goes), the device's name, and the controls
// found: the controller's current control (volume, or briefly mute) and the mute monitor's mute control. Every
// mixer failure shows its message and ends the program, so a caller that gets control back has a valid control.
class Mixer {
public:
    Mixer(MixerService& device, MessageBoxService& messages, ProcessControl& process);
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;
    ~Mixer();

    // The controller's discovery: CurrentControl becomes the speakers line's control of the type given as
    // decimal text, and MixerDeviceName the line's device. A text that is no 32-bit number is an error
    // (std::invalid_argument), not a mixer call.
    void GetCoreComponents(const std::string& mixcontroltype);
    // The mute monitor's discovery: MuteControl becomes the speakers line's mute control. The device name stays.
    void GetMuteComponents();

    // Value of CurrentControl; a failure ends with "Error! Can't get Mixer Control Details.".
    std::int32_t ReadCurrentControl();
    // Writes CurrentControl; a failure ends with "Error! Unable to set Mixer Control Details.".
    void WriteCurrentControl(std::int32_t value);
    // Value of MuteControl through the newest handle; a failure ends with "Error! Unable to get Mixer Control
    // Details.".
    std::int32_t ReadMuteControl();

    std::uintptr_t MixerHandle() const { return handle_; }
    // The 32-character product-name field of the line's target as the mixer filled it (NUL padded); empty until
    // the controller's first discovery.
    const std::string& MixerDeviceName() const { return deviceName_; }
    const MixerControlInfo& CurrentControl() const { return currentControl_; }
    const MixerControlInfo& MuteControl() const { return muteControl_; }

private:
    enum class Found { Control, NoLine, NoControl };

    // Finds the speakers line and fetches one of its controls by type, through the kept handle; if a call on it
    // fails, through a newly opened one.
    void Discover(std::uint32_t controlType, MixerLineInfo& line, MixerControlInfo& control);
    Found Fetch(std::uint32_t controlType, MixerLineInfo& line, MixerControlInfo& control);
    // Opens device 0 and makes the new handle the only one.
    void Reopen();
    [[noreturn]] void Fail(const char* message);

    MixerService& device_;
    MessageBoxService& messages_;
    ProcessControl& process_;
    std::uintptr_t handle_ = 0;
    std::string deviceName_;
    MixerLineInfo masterLine_;
    MixerControlInfo currentControl_;
    MixerLineInfo muteLine_;
    MixerControlInfo muteControl_;
};

} // namespace kob
