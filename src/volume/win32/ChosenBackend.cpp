#include "volume/win32/ChosenBackend.h"

#include "volume/win32/EndpointVolume.h"

namespace kob {

VolumeDevice& ChosenBackend::Chosen() {
    if (!chosen_) {
        // Since Windows Vista the winmm mixer only reaches this program's own audio session: where the default
        // endpoint can be the master, it stands for the master volume instead.
        chosen_ = EndpointCanBeTheMaster(endpoint_) ? &onEndpoint_ : &winmm_;
    }
    return *chosen_;
}

} // namespace kob
