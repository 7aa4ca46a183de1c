#include "mixer/win32/Win32Mixer.h"

#include <windows.h>

#include <mmsystem.h>

#include <cstring>

namespace kob {

// The record sizes winmm checks, in their published ANSI layouts.
static_assert(sizeof(MIXERLINEA) == 168);
static_assert(sizeof(MIXERLINECONTROLSA) == 24);
static_assert(sizeof(MIXERCONTROLA) == 148);
static_assert(sizeof(MIXERCONTROLDETAILS) == 24);

namespace {

HMIXEROBJ AsMixerObject(std::uintptr_t handle) {
    return reinterpret_cast<HMIXEROBJ>(handle);
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

MIXERCONTROLDETAILS DetailsFor(std::uint32_t controlId, void* block) {
    MIXERCONTROLDETAILS details{};
    details.cbStruct = sizeof(MIXERCONTROLDETAILS);
    details.dwControlID = controlId;
    details.cChannels = 1;
    details.cMultipleItems = 0;
    details.cbDetails = sizeof(DWORD);
    details.paDetails = block;
    return details;
}

} // namespace

std::uint32_t Win32Mixer::OpenDevice0(std::uintptr_t& handle) {
    HMIXER opened = nullptr;
    const MMRESULT result = mixerOpen(&opened, 0, 0, 0, 0);
    if (result == MMSYSERR_NOERROR) {
        handle = reinterpret_cast<std::uintptr_t>(opened);
    }
    return result;
}

std::uint32_t Win32Mixer::GetSpeakersLine(std::uintptr_t handle, MixerLineInfo& line) {
    MIXERLINEA record{};
    record.cbStruct = sizeof(MIXERLINEA);
    record.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    const MMRESULT result = mixerGetLineInfoA(AsMixerObject(handle), &record, MIXER_GETLINEINFOF_COMPONENTTYPE);
    if (result == MMSYSERR_NOERROR) {
        line.lineId = record.dwLineID;
        line.targetName.assign(record.Target.szPname, sizeof(record.Target.szPname));
    }
    return result;
}

std::uint32_t Win32Mixer::GetLineControlByType(std::uintptr_t handle, std::uint32_t lineId, std::uint32_t controlType,
                                               MixerControlInfo& control) {
    TransferBlock block(sizeof(MIXERCONTROLA));
    if (!block.Address()) {
        return MMSYSERR_NOMEM;
    }
    MIXERLINECONTROLSA request{};
    request.cbStruct = sizeof(MIXERLINECONTROLSA);
    request.dwLineID = lineId;
    request.dwControlType = controlType;
    request.cControls = 1;
    request.cbmxctrl = sizeof(MIXERCONTROLA);
    request.pamxctrl = static_cast<MIXERCONTROLA*>(block.Address());
    const MMRESULT result = mixerGetLineControlsA(AsMixerObject(handle), &request, MIXER_GETLINECONTROLSF_ONEBYTYPE);
    if (result == MMSYSERR_NOERROR) {
        MIXERCONTROLA found{};
        std::memcpy(&found, block.Address(), sizeof(found));
        control.cbStruct = found.cbStruct;
        control.controlId = found.dwControlID;
        control.controlType = found.dwControlType;
        control.flags = found.fdwControl;
        control.multipleItems = found.cMultipleItems;
        control.shortName.assign(found.szShortName, strnlen(found.szShortName, sizeof(found.szShortName)));
        control.name.assign(found.szName, strnlen(found.szName, sizeof(found.szName)));
        control.minimum = found.Bounds.lMinimum;
        control.maximum = found.Bounds.lMaximum;
    }
    return result;
}

std::uint32_t Win32Mixer::GetControlValue(std::uintptr_t handle, std::uint32_t controlId, std::int32_t& value) {
    TransferBlock block(sizeof(DWORD));
    if (!block.Address()) {
        return MMSYSERR_NOMEM;
    }
    MIXERCONTROLDETAILS details = DetailsFor(controlId, block.Address());
    const MMRESULT result = mixerGetControlDetailsA(AsMixerObject(handle), &details, MIXER_GETCONTROLDETAILSF_VALUE);
    if (result == MMSYSERR_NOERROR) {
        std::memcpy(&value, block.Address(), sizeof(value));
    }
    return result;
}

std::uint32_t Win32Mixer::SetControlValue(std::uintptr_t handle, std::uint32_t controlId, std::int32_t value) {
    TransferBlock block(sizeof(DWORD));
    if (!block.Address()) {
        return MMSYSERR_NOMEM;
    }
    std::memcpy(block.Address(), &value, sizeof(value));
    MIXERCONTROLDETAILS details = DetailsFor(controlId, block.Address());
    return mixerSetControlDetails(AsMixerObject(handle), &details, MIXER_SETCONTROLDETAILSF_VALUE);
}

void Win32Mixer::Close(std::uintptr_t handle) {
    mixerClose(reinterpret_cast<HMIXER>(handle));
}

} // namespace kob
