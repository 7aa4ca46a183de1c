#pragma once

#include <cstdint>

#include "common/ProgramContext.h"
#include "platform/MixerService.h"
#include "platform/Services.h"

namespace kob {

// Opens mixer device 0 into MixerHandle, finds the speakers destination line and fetches one of its controls by
// type into the caller's records. The handle it replaces is closed; every later call uses the newest one. Any
// mixer failure shows its message and ends the program, so a caller that gets control back has a valid control.
void DiscoverSpeakersControl(Services& services, ProgramContext& context, std::uint32_t controlType,
                             MixerLineInfo& line, MixerControlInfo& control);

} // namespace kob
