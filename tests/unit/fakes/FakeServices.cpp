#include "fakes/FakeServices.h"

#include "mixer/ControlTypes.h"

namespace kob::test {

bool CallLog::Contains(const std::string& call) const {
    for (const auto& c : calls) {
        if (c == call) {
            return true;
        }
    }
    return false;
}

int CallLog::IndexOf(const std::string& prefix) const {
    for (std::size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].rfind(prefix, 0) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void FakeMessageBox::Show(const std::string& text, const std::string& title, MessageIcon icon) {
    shown.push_back({text, title, icon});
    log_.Add("MessageBox " + text);
    if (whileOpen && open_ == 0) {
        ++open_;
        try {
            whileOpen();
        } catch (...) {
            --open_;
            throw;
        }
        --open_;
    }
}

void FakeProcess::EndProcess(std::uint32_t code) {
    ended = true;
    exitCode = code;
    log_.Add("EndProcess " + std::to_string(code));
    throw ProcessEnded{code};
}

bool FakeMixer::Refuses(std::uintptr_t handle) {
    if (openHandles.count(handle) == 0) {
        ++refusedCalls;
        return true;
    }
    return false;
}

std::uint32_t FakeMixer::Refusal(std::uintptr_t handle) {
    if (Refuses(handle)) {
        return kInvalidHandle;
    }
    return broken.count(handle) != 0 ? kNoDriver : 0;
}

std::uint32_t FakeMixer::OpenDevice0(std::uintptr_t& handle) {
    log_.Add("mixerOpen");
    if (openResult != 0) {
        return openResult;
    }
    handle = nextHandle++;
    openHandles.insert(handle);
    ++opens;
    return 0;
}

std::uint32_t FakeMixer::GetSpeakersLine(std::uintptr_t handle, MixerLineInfo& line) {
    log_.Add("mixerGetLineInfo " + std::to_string(handle));
    if (const std::uint32_t refusal = Refusal(handle)) {
        return refusal;
    }
    if (lineResult != 0) {
        return lineResult;
    }
    line.lineId = lineId;
    line.targetName = deviceName;
    line.targetName.resize(32, '\0');
    return 0;
}

std::uint32_t FakeMixer::GetLineControlByType(std::uintptr_t handle, std::uint32_t id, std::uint32_t controlType,
                                              MixerControlInfo& control) {
    log_.Add("mixerGetLineControls " + std::to_string(handle) + " " + std::to_string(controlType));
    if (const std::uint32_t refusal = Refusal(handle)) {
        return refusal;
    }
    if (controlsResult != 0 || id != lineId) {
        return controlsResult != 0 ? controlsResult : 8; // MIXERR_INVALLINE
    }
    const bool isVolume = controlType == kControlTypeVolume && hasVolume;
    const bool isMute = controlType == kControlTypeMute && hasMute;
    if (!isVolume && !isMute) {
        return 1025; // MIXERR_INVALCONTROL
    }
    control.cbStruct = 148;
    control.controlId = isVolume ? kVolumeId : kMuteId;
    control.controlType = controlType;
    control.name = isVolume ? "Master Volume" : "Master Mute";
    control.minimum = 0;
    control.maximum = isVolume ? 65535 : 1;
    return 0;
}

std::uint32_t FakeMixer::GetControlValue(std::uintptr_t handle, std::uint32_t controlId, std::int32_t& value) {
    log_.Add("mixerGetControlDetails " + std::to_string(controlId));
    handlesUsed.push_back(handle);
    if (const std::uint32_t refusal = Refusal(handle)) {
        return refusal;
    }
    if (getResult != 0) {
        return getResult;
    }
    value = values[controlId];
    return 0;
}

std::uint32_t FakeMixer::SetControlValue(std::uintptr_t handle, std::uint32_t controlId, std::int32_t value) {
    log_.Add("mixerSetControlDetails " + std::to_string(controlId) + " " + std::to_string(value));
    handlesUsed.push_back(handle);
    written.push_back(value);
    if (const std::uint32_t refusal = Refusal(handle)) {
        return refusal;
    }
    if (setResult != 0) {
        return setResult;
    }
    // A real mixer may store the value through a float; the fake keeps it exactly.
    values[controlId] = value;
    return 0;
}

void FakeMixer::Close(std::uintptr_t handle) {
    log_.Add("mixerClose " + std::to_string(handle));
    if (Refuses(handle)) {
        return;
    }
    openHandles.erase(handle);
    closed.push_back(handle);
}

} // namespace kob::test
