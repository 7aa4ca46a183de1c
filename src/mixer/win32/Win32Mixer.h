#pragma once

#include "mixer/MixerService.h"

namespace kob {

// The winmm mixer with the published ANSI records. Each transfer goes through its own zero-filled global block.
class Win32Mixer : public MixerService {
public:
    std::uint32_t OpenDevice0(std::uintptr_t& handle) override;
    std::uint32_t GetSpeakersLine(std::uintptr_t handle, MixerLineInfo& line) override;
    std::uint32_t GetLineControlByType(std::uintptr_t handle, std::uint32_t lineId, std::uint32_t controlType,
                                       MixerControlInfo& control) override;
    std::uint32_t GetControlValue(std::uintptr_t handle, std::uint32_t controlId, std::int32_t& value) override;
    std::uint32_t SetControlValue(std::uintptr_t handle, std::uint32_t controlId, std::int32_t value) override;
    void Close(std::uintptr_t handle) override;
};

} // namespace kob
