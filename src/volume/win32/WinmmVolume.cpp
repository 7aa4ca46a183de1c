#include "volume/win32/WinmmVolume.h"

#include <cstdint>
#include <cstring>

#include "platform/win32/DynamicCalls.h"

namespace kob {

// The record sizes winmm checks, in their published ANSI layouts.
static_assert(sizeof(MIXERLINEA) == 168);
static_assert(sizeof(MIXERLINECONTROLSA) == 24);
static_assert(sizeof(MIXERCONTROLA) == 148);
static_assert(sizeof(MIXERCONTROLDETAILS) == 24);

namespace {

HMIXEROBJ AsMixerObject(HMIXER mixer) {
    return reinterpret_cast<HMIXEROBJ>(mixer);
}

// A zero-filled, locked global memory block for one mixer transfer; unlocked and freed when it goes.
class TransferBlock {
public:
    explicit TransferBlock(SIZE_T size) : block_(GlobalAlloc(GMEM_ZEROINIT, size)) {
        if (block_) {
            address_ = GlobalLock(block_);
        }
    }
    ~TransferBlock() {
        if (address_) {
            GlobalUnlock(block_);
        }
        if (block_) {
            GlobalFree(block_);
        }
    }
    TransferBlock(const TransferBlock&) = delete;
    TransferBlock& operator=(const TransferBlock&) = delete;

    void* Address() const { return address_; }

private:
    HGLOBAL block_;
    void* address_ = nullptr;
};

// The mixer's volume runs from 0 (silence) to 65535 (full). Percents go to it and back in whole numbers: where the
// floating-point unit carries more than double precision (the x87 of this 32-bit build), 65535 / 100 x 70 comes out
// a trace above its exact half and would round up.
constexpr std::uint64_t kFullScale = 65535;

// value x 100 / 65535 to the nearest percent; no value lies exactly halfway, 65535 being odd.
int PercentOf(DWORD value) {
    return static_cast<int>((value * std::uint64_t{100} + kFullScale / 2) / kFullScale);
}

// 65535 / 100 x percent, an exact half to the even neighbour.
DWORD MixerValueOf(int percent) {
    const std::uint64_t scaled = kFullScale * static_cast<std::uint64_t>(percent);
    const std::uint64_t whole = scaled / 100;
    const std::uint64_t rest = scaled % 100;
    return static_cast<DWORD>(whole + (rest > 50 || (rest == 50 && whole % 2 == 1) ? 1 : 0));
}

MIXERCONTROLDETAILS DetailsFor(DWORD controlId, void* block) {
    MIXERCONTROLDETAILS details{};
    details.cbStruct = sizeof(MIXERCONTROLDETAILS);
    details.dwControlID = controlId;
    details.cChannels = 1;
    details.cMultipleItems = 0;
    details.cbDetails = sizeof(DWORD);
    details.paDetails = block;
    return details;
}

bool HasMixer(const dynamic::WinmmCalls& calls) {
    return calls.mixerOpen && calls.mixerClose && calls.mixerGetLineInfoA && calls.mixerGetLineControlsA &&
           calls.mixerGetControlDetailsA && calls.mixerSetControlDetails;
}

} // namespace

WinmmVolume::~WinmmVolume() {
    if (mixer_) {
        calls_->mixerClose(mixer_);
    }
}

std::optional<VolumeFailure> WinmmVolume::LookAt(DeviceUse use) {
    if (use == DeviceUse::Mute) {
        return Find(MIXERCONTROL_CONTROLTYPE_MUTE, muteId_);
    }
    return Find(MIXERCONTROL_CONTROLTYPE_VOLUME, volumeId_);
}

std::optional<VolumeFailure> WinmmVolume::Find(DWORD controlType, DWORD& controlId) {
    // One handle serves every find: opening the device at each one wears the mixer out (some systems never reuse a
    // handle value and refuse opens after a few hundred).
    if (mixer_ && Fetch(controlType, controlId) == Found::Control) {
        return std::nullopt;
    }
    if (!Reopen()) {
        return VolumeFailure::NoDevice;
    }
    switch (Fetch(controlType, controlId)) {
    case Found::NoLine:
        return VolumeFailure::NoOutput;
    case Found::NoControl:
        return VolumeFailure::NoControl;
    case Found::Control:
        break;
    }
    return std::nullopt;
}

WinmmVolume::Found WinmmVolume::Fetch(DWORD controlType, DWORD& controlId) {
    MIXERLINEA line{};
    line.cbStruct = sizeof(MIXERLINEA);
    line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    if (calls_->mixerGetLineInfoA(AsMixerObject(mixer_), &line, MIXER_GETLINEINFOF_COMPONENTTYPE) != MMSYSERR_NOERROR) {
        return Found::NoLine;
    }
    // The product-name field holds the name and NULs after it.
    name_.assign(line.Target.szPname, strnlen(line.Target.szPname, sizeof(line.Target.szPname)));
    TransferBlock block(sizeof(MIXERCONTROLA));
    if (!block.Address()) {
        return Found::NoControl;
    }
    MIXERLINECONTROLSA request{};
    request.cbStruct = sizeof(MIXERLINECONTROLSA);
    request.dwLineID = line.dwLineID;
    request.dwControlType = controlType;
    request.cControls = 1;
    request.cbmxctrl = sizeof(MIXERCONTROLA);
    request.pamxctrl = static_cast<MIXERCONTROLA*>(block.Address());
    if (calls_->mixerGetLineControlsA(AsMixerObject(mixer_), &request, MIXER_GETLINECONTROLSF_ONEBYTYPE) !=
        MMSYSERR_NOERROR) {
        return Found::NoControl;
    }
    MIXERCONTROLA found{};
    std::memcpy(&found, block.Address(), sizeof(found));
    controlId = found.dwControlID;
    return Found::Control;
}

bool WinmmVolume::Reopen() {
    if (!calls_) {
        calls_ = &loadCalls_();
    }
    HMIXER opened = nullptr;
    // Without winmm, or with a winmm that lacks any of the mixer's functions, there is no mixer to open.
    if (!HasMixer(*calls_) || calls_->mixerOpen(&opened, 0, 0, 0, 0) != MMSYSERR_NOERROR) {
        return false;
    }
    // Every later call uses the new handle. A mixer may hand out the same value again for a new open; that one is
    // live and must stay open.
    const HMIXER superseded = mixer_;
    mixer_ = opened;
    if (superseded && superseded != opened) {
        calls_->mixerClose(superseded);
    }
    return true;
}

bool WinmmVolume::ReadValue(DWORD controlId, DWORD& value) {
    TransferBlock block(sizeof(DWORD));
    if (!mixer_ || !block.Address()) {
        return false;
    }
    MIXERCONTROLDETAILS details = DetailsFor(controlId, block.Address());
    if (calls_->mixerGetControlDetailsA(AsMixerObject(mixer_), &details, MIXER_GETCONTROLDETAILSF_VALUE) !=
        MMSYSERR_NOERROR) {
        return false;
    }
    std::memcpy(&value, block.Address(), sizeof(value));
    return true;
}

bool WinmmVolume::WriteValue(DWORD controlId, DWORD value) {
    TransferBlock block(sizeof(DWORD));
    if (!mixer_ || !block.Address()) {
        return false;
    }
    std::memcpy(block.Address(), &value, sizeof(value));
    MIXERCONTROLDETAILS details = DetailsFor(controlId, block.Address());
    return calls_->mixerSetControlDetails(AsMixerObject(mixer_), &details, MIXER_SETCONTROLDETAILSF_VALUE) ==
           MMSYSERR_NOERROR;
}

VolumeResult<int> WinmmVolume::Percent() {
    DWORD value = 0;
    if (!ReadValue(volumeId_, value)) {
        return VolumeFailure::VolumeUnreadable;
    }
    return PercentOf(value);
}

std::optional<VolumeFailure> WinmmVolume::SetPercent(int percent) {
    if (!WriteValue(volumeId_, MixerValueOf(percent))) {
        return VolumeFailure::NotSet;
    }
    return std::nullopt;
}

VolumeResult<bool> WinmmVolume::Muted() {
    DWORD value = 0;
    if (!ReadValue(muteId_, value)) {
        return VolumeFailure::MuteUnreadable;
    }
    return value != 0;
}

std::optional<VolumeFailure> WinmmVolume::SetMuted(bool muted) {
    // Both controls are found again around the write, so that a device changed in the meantime is noticed here.
    if (const auto failure = Find(MIXERCONTROL_CONTROLTYPE_MUTE, muteId_)) {
        return failure;
    }
    if (!WriteValue(muteId_, muted ? 1 : 0)) {
        return VolumeFailure::NotSet;
    }
    return Find(MIXERCONTROL_CONTROLTYPE_VOLUME, volumeId_);
}

} // namespace kob
