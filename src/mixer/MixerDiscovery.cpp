#include "mixer/MixerDiscovery.h"

#include "mixer/MixerMessages.h"
#include "platform/FatalError.h"

namespace kob {

namespace {

[[noreturn]] void Fail(Services& services, const char* message) {
    EndWithMessage(services.messages, services.process, message, kMbIconExclamation);
}

} // namespace

void DiscoverSpeakersControl(Services& services, ProgramContext& context, std::uint32_t controlType,
                             MixerLineInfo& line, MixerControlInfo& control) {
    std::uintptr_t opened = 0;
    if (services.mixer.OpenDevice0(opened) != kMixerNoError) {
        Fail(services, kMsgMixerOpenFailed);
    }
    const std::uintptr_t superseded = context.MixerHandle;
    context.MixerHandle = opened;
    if (superseded != 0 && superseded != opened) {
        services.mixer.Close(superseded);
    }

    if (services.mixer.GetSpeakersLine(context.MixerHandle, line) != kMixerNoError) {
        Fail(services, kMsgLineInfoFailed);
    }

    MixerControlInfo fetched = control;
    if (services.mixer.GetLineControlByType(context.MixerHandle, line.lineId, controlType, fetched) != kMixerNoError) {
        Fail(services, kMsgLineControlsFailed);
    }
    control = fetched;
}

} // namespace kob
