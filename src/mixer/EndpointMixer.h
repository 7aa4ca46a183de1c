#pragma once

#include <cstdint>
#include <set>

#include "mixer/AudioEndpoint.h"
#include "mixer/MixerService.h"

namespace kob {

// The mixer as the program has always seen it (device 0, its speakers line, a volume control 0..65535 and a mute
// control), presented over the default render endpoint, so that on Windows Vista and later the program acts on
// the real master volume rather than on its own audio session. A call follows another device that has become the
// default, and a call that finds the endpoint gone (a device unplugged or disabled) looks for the default device
// again once before it fails.
class EndpointMixer : public MixerService {
public:
    explicit EndpointMixer(AudioEndpoint& endpoint) : endpoint_(endpoint) {}

    std::uint32_t OpenDevice0(std::uintptr_t& handle) override;
    std::uint32_t GetSpeakersLine(std::uintptr_t handle, MixerLineInfo& line) override;
    std::uint32_t GetLineControlByType(std::uintptr_t handle, std::uint32_t lineId, std::uint32_t controlType,
                                       MixerControlInfo& control) override;
    std::uint32_t GetControlValue(std::uintptr_t handle, std::uint32_t controlId, std::int32_t& value) override;
    std::uint32_t SetControlValue(std::uintptr_t handle, std::uint32_t controlId, std::int32_t value) override;
    void Close(std::uintptr_t handle) override;

private:
    // Runs an endpoint call; when it fails, finds the default device again and runs it once more.
    template <typename Call> bool WithEndpoint(Call&& call);

    AudioEndpoint& endpoint_;
    std::set<std::uintptr_t> open_;
    std::uintptr_t nextHandle_ = 1;
};

// Whether the endpoint can stand for the master volume: it exists, its level can be read, and writing that same
// level back is accepted. Otherwise the program keeps the winmm mixer (Windows 2000 and XP have no endpoint).
bool EndpointCanBeTheMaster(AudioEndpoint& endpoint);

} // namespace kob
