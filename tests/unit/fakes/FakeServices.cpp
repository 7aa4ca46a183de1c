#include "fakes/FakeServices.h"

namespace kob::test {

void FakeMessageBox::Show(const std::string& text, const std::string& title, MessageIcon icon) {
    shown.push_back({text, title, icon});
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
    if (onEnd) {
        onEnd();
    }
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

std::optional<VolumeFailure> FakeVolumeDevice::LookAt(DeviceUse use) {
    if (use == DeviceUse::Mute) {
        calls.push_back("LookAtMute");
        return Prepare(hasMute, mutePrepared_);
    }
    calls.push_back("LookAtVolume");
    return Prepare(hasVolume, volumePrepared_);
}

VolumeResult<int> FakeVolumeDevice::Percent() {
    calls.push_back("Percent");
    return Refuses(volumePrepared_) || readFails ? VolumeResult<int>(VolumeFailure::VolumeUnreadable) : percent;
}

std::optional<VolumeFailure> FakeVolumeDevice::Write(const std::string& call, bool refused) {
    calls.push_back(call);
    ++writes;
    if (onWrite) {
        onWrite();
    }
    return refused || writeFails ? std::optional(VolumeFailure::NotSet) : std::nullopt;
}

std::optional<VolumeFailure> FakeVolumeDevice::SetPercent(int value) {
    const auto failure = Write("SetPercent " + std::to_string(value), Refuses(volumePrepared_));
    percent = failure ? percent : value;
    return failure;
}

VolumeResult<bool> FakeVolumeDevice::Muted() {
    calls.push_back("Muted");
    return Refuses(mutePrepared_) || readFails ? VolumeResult<bool>(VolumeFailure::MuteUnreadable) : muted;
}

std::optional<VolumeFailure> FakeVolumeDevice::SetMuted(bool value) {
    const auto failure = Write(value ? "SetMuted 1" : "SetMuted 0", false);
    muted = failure ? muted : value;
    return failure;
}

} // namespace kob::test
