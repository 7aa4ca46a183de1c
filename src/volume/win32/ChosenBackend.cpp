#include "volume/win32/ChosenBackend.h"

#include "volume/win32/EndpointVolume.h"

namespace kob {

VolumeDevice& ChooseBackend(AudioEndpoint& endpoint, VolumeDevice& onEndpoint, VolumeDevice& winmm) {
    // Since Windows Vista the winmm mixer only reaches this program's own audio session: where the default endpoint
    // can be the master, it stands for the master volume instead.
    return EndpointCanBeTheMaster(endpoint) ? onEndpoint : winmm;
}

} // namespace kob
