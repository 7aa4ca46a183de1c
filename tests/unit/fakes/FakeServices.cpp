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
}

std::optional<VolumeFailure> FakeVolumeDevice::Prepare(bool present, bool& prepared) {
    if (prepareFailure) {
        return prepareFailure;
    }
    if (!present) {
        return VolumeFailure::NoControl;
    }
    prepared = true;
    return std::nullopt;
}

bool FakeVolumeDevice::Refuses(bool prepared) {
    if (!prepared) {
        ++refusedCalls;
    }
    return !prepared;
}

std::optional<VolumeFailure> FakeVolumeDevice::PrepareMute() {
    log_.Add("volume.PrepareMute");
    return Prepare(hasMute, mutePrepared_);
}

std::optional<VolumeFailure> FakeVolumeDevice::PrepareVolume() {
    log_.Add("volume.PrepareVolume");
    return Prepare(hasVolume, volumePrepared_);
}

VolumeResult<int> FakeVolumeDevice::Percent() {
    log_.Add("volume.Percent");
    return Refuses(volumePrepared_) || readFails ? VolumeResult<int>(VolumeFailure::VolumeUnreadable) : percent;
}

std::optional<VolumeFailure> FakeVolumeDevice::SetPercent(int value) {
    log_.Add("volume.SetPercent " + std::to_string(value));
    ++writes;
    if (Refuses(volumePrepared_) || writeFails) {
        return VolumeFailure::NotSet;
    }
    percent = value;
    return std::nullopt;
}

VolumeResult<bool> FakeVolumeDevice::Muted() {
    log_.Add("volume.Muted");
    return Refuses(mutePrepared_) || readFails ? VolumeResult<bool>(VolumeFailure::MuteUnreadable) : muted;
}

std::optional<VolumeFailure> FakeVolumeDevice::SetMuted(bool value) {
    log_.Add(value ? "volume.SetMuted 1" : "volume.SetMuted 0");
    ++writes;
    if (writeFails) {
        return VolumeFailure::NotSet;
    }
    muted = value;
    return std::nullopt;
}

} // namespace kob::test
