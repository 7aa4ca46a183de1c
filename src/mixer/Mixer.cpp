#include "mixer/Mixer.h"

#include <exception>
#include <stdexcept>

#include "mixer/ControlTypes.h"
#include "mixer/MixerMessages.h"
#include "platform/FatalError.h"

namespace kob {

namespace {

std::uint32_t ParseControlType(const std::string& text) {
    std::size_t used = 0;
    unsigned long long value = 0;
    try {
        value = std::stoull(text, &used, 10);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size() || value > 0xFFFFFFFFULL || text[0] == '-') {
        throw std::invalid_argument("Type mismatch: \"" + text + "\" is not a mixer control type.");
    }
    return static_cast<std::uint32_t>(value);
}

} // namespace

Mixer::Mixer(MixerService& device, MessageBoxService& messages, ProcessControl& process)
    : device_(device), messages_(messages), process_(process) {}

Mixer::~Mixer() {
    if (handle_ != 0) {
        device_.Close(handle_);
    }
}

void Mixer::GetCoreComponents(const std::string& mixcontroltype) {
    Discover(ParseControlType(mixcontroltype), masterLine_, currentControl_);
    deviceName_ = masterLine_.targetName;
}

void Mixer::GetMuteComponents() {
    Discover(kControlTypeMute, muteLine_, muteControl_);
}

std::int32_t Mixer::ReadCurrentControl() {
    std::int32_t value = 0;
    if (device_.GetControlValue(handle_, currentControl_.controlId, value) != kMixerNoError) {
        Fail(kMsgVolumeReadFailed);
    }
    return value;
}

void Mixer::WriteCurrentControl(std::int32_t value) {
    if (device_.SetControlValue(handle_, currentControl_.controlId, value) != kMixerNoError) {
        Fail(kMsgSetDetailsFailed);
    }
}

std::int32_t Mixer::ReadMuteControl() {
    std::int32_t value = 0;
    if (device_.GetControlValue(handle_, muteControl_.controlId, value) != kMixerNoError) {
        Fail(kMsgMuteReadFailed);
    }
    return value;
}

void Mixer::Discover(std::uint32_t controlType, MixerLineInfo& line, MixerControlInfo& control) {
    // One handle serves every discovery: opening the device at each one wears the mixer out (some systems never
    // reuse a handle value and refuse opens after a few hundred).
    if (handle_ != 0 && Fetch(controlType, line, control) == Found::Control) {
        return;
    }
    Reopen();
    switch (Fetch(controlType, line, control)) {
    case Found::NoLine:
        Fail(kMsgLineInfoFailed);
    case Found::NoControl:
        Fail(kMsgLineControlsFailed);
    case Found::Control:
        break;
    }
}

Mixer::Found Mixer::Fetch(std::uint32_t controlType, MixerLineInfo& line, MixerControlInfo& control) {
    if (device_.GetSpeakersLine(handle_, line) != kMixerNoError) {
        return Found::NoLine;
    }
    MixerControlInfo fetched = control;
    if (device_.GetLineControlByType(handle_, line.lineId, controlType, fetched) != kMixerNoError) {
        return Found::NoControl;
    }
    control = fetched;
    return Found::Control;
}

void Mixer::Reopen() {
    std::uintptr_t opened = 0;
    if (device_.OpenDevice0(opened) != kMixerNoError) {
        Fail(kMsgMixerOpenFailed);
    }
    // Every later call uses the new handle. A mixer may hand out the same value again for a new open; that one is
    // live and must stay open.
    const std::uintptr_t superseded = handle_;
    handle_ = opened;
    if (superseded != 0 && superseded != opened) {
        device_.Close(superseded);
    }
}

void Mixer::Fail(const char* message) {
    EndWithMessage(messages_, process_, message, MessageIcon::Exclamation);
}

} // namespace kob
