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
    std::uintptr_t opened = 0;
    if (device_.OpenDevice0(opened) != kMixerNoError) {
        Fail(kMsgMixerOpenFailed);
    }
    // Every later call uses the newest handle. A mixer may hand out the same value again for a new open; that
    // one is live and must stay open.
    const std::uintptr_t superseded = handle_;
    handle_ = opened;
    if (superseded != 0 && superseded != opened) {
        device_.Close(superseded);
    }
    if (device_.GetSpeakersLine(handle_, line) != kMixerNoError) {
        Fail(kMsgLineInfoFailed);
    }
    MixerControlInfo fetched = control;
    if (device_.GetLineControlByType(handle_, line.lineId, controlType, fetched) != kMixerNoError) {
        Fail(kMsgLineControlsFailed);
    }
    control = fetched;
}

void Mixer::Fail(const char* message) {
    EndWithMessage(messages_, process_, message, kMbIconExclamation);
}

} // namespace kob
