#pragma once

#include "volume/VolumeDevice.h"
#include "volume/win32/AudioEndpoint.h"

namespace kob {

// The master volume's backend: the default endpoint where it can stand for the master (EndpointCanBeTheMaster), the
// winmm mixer otherwise. The choice only reads. The master volume makes it once, at its first use, which the
// start-up makes only after its refusals.
VolumeDevice& ChooseBackend(AudioEndpoint& endpoint, VolumeDevice& onEndpoint, VolumeDevice& winmm);

} // namespace kob
