#pragma once

#include <cstdint>
#include <string>

namespace kob {

// MMSYSERR_NOERROR: every other mixer result is a failure.
inline constexpr std::uint32_t kMixerNoError = 0;

// What the program reads of the speakers destination line (MIXERLINEA).
struct MixerLineInfo {
    std::uint32_t lineId = 0;
    // Target.szPname exactly as the mixer filled it: 32 characters, NUL padded after the name.
    std::string targetName;
};

// The published ANSI MIXERCONTROLA record, field by field.
struct MixerControlInfo {
    std::uint32_t cbStruct = 0;
    std::uint32_t controlId = 0;
    std::uint32_t controlType = 0;
    std::uint32_t flags = 0;
    std::uint32_t multipleItems = 0;
    std::string shortName;
    std::string name;
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
};

// The winmm mixer, one call per operation. Results are the mixer's own MMRESULT codes.
class MixerService {
public:
    virtual ~MixerService() = default;
    // mixerOpen of device 0, no callback.
    [[nodiscard]] virtual std::uint32_t OpenDevice0(std::uintptr_t& handle) = 0;
    // mixerGetLineInfoA by component type, for the speakers destination line.
    [[nodiscard]] virtual std::uint32_t GetSpeakersLine(std::uintptr_t handle, MixerLineInfo& line) = 0;
    // mixerGetLineControlsA for one control of the line, chosen by type, through a zero-filled global block.
    [[nodiscard]] virtual std::uint32_t GetLineControlByType(std::uintptr_t handle, std::uint32_t lineId,
                                                             std::uint32_t controlType, MixerControlInfo& control) = 0;
    // mixerGetControlDetailsA / mixerSetControlDetails of one value for all channels, through a 4-byte block.
    [[nodiscard]] virtual std::uint32_t GetControlValue(std::uintptr_t handle, std::uint32_t controlId,
                                                        std::int32_t& value) = 0;
    [[nodiscard]] virtual std::uint32_t SetControlValue(std::uintptr_t handle, std::uint32_t controlId,
                                                        std::int32_t value) = 0;
    // mixerClose of a handle that a newer one has replaced, or of the last one when the program is done with it.
    virtual void Close(std::uintptr_t handle) = 0;
};

} // namespace kob
