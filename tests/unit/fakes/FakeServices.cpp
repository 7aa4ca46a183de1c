#include "fakes/FakeServices.h"

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

bool FakeVolumeDevice::Refuses(Control control) {
    if (found_.count(control) == 0) {
        ++refusedCalls;
        return true;
    }
    return false;
}

std::optional<VolumeFailure> FakeVolumeDevice::Find(Control control) {
    log_.Add(control == Control::Volume ? "volume.Find Volume" : "volume.Find Mute");
    if (findFailure) {
        return findFailure;
    }
    if (!(control == Control::Volume ? hasVolume : hasMute)) {
        return VolumeFailure::LineControlsFailed;
    }
    found_.insert(control);
    return std::nullopt;
}

bool FakeVolumeDevice::ReadVolume(std::int32_t& value) {
    log_.Add("volume.ReadVolume");
    if (Refuses(Control::Volume) || readFails) {
        return false;
    }
    value = volume;
    return true;
}

bool FakeVolumeDevice::WriteVolume(std::int32_t value) {
    log_.Add("volume.WriteVolume " + std::to_string(value));
    ++writes;
    if (Refuses(Control::Volume) || writeFails) {
        return false;
    }
    volume = value;
    return true;
}

bool FakeVolumeDevice::ReadMuted(bool& value) {
    log_.Add("volume.ReadMuted");
    if (Refuses(Control::Mute) || readFails) {
        return false;
    }
    value = muted;
    return true;
}

bool FakeVolumeDevice::WriteMuted(bool value) {
    log_.Add(value ? "volume.WriteMuted 1" : "volume.WriteMuted 0");
    ++writes;
    if (Refuses(Control::Mute) || writeFails) {
        return false;
    }
    muted = value;
    return true;
}

} // namespace kob::test
