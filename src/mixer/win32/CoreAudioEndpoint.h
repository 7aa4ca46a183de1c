#pragma once

#include <windows.h>

#include <endpointvolume.h>
#include <mmdeviceapi.h>

#include "mixer/AudioEndpoint.h"
#include "platform/win32/ComPtr.h"

namespace kob {

// The default render endpoint through the Core Audio API of Windows Vista and later, reached through ole32 alone
// so that the program still loads on Windows 2000 (where creating the enumerator simply fails). COM must be
// initialised on the thread. Every interface it obtains is released when it resolves again or goes.
class CoreAudioEndpoint : public AudioEndpoint {
public:
    // Makes the device enumerator; the system's by default, another in tests.
    using EnumeratorMaker = HRESULT (*)(IMMDeviceEnumerator** enumerator);
    static HRESULT SystemEnumerator(IMMDeviceEnumerator** enumerator);

    explicit CoreAudioEndpoint(EnumeratorMaker makeEnumerator = &SystemEnumerator) : makeEnumerator_(makeEnumerator) {}

    bool Resolve() override;
    bool ReadLevel(float& scalar) override;
    bool WriteLevel(float scalar) override;
    bool ReadMute(bool& muted) override;
    bool WriteMute(bool muted) override;
    std::string FriendlyName() override;

private:
    EnumeratorMaker makeEnumerator_;
    ComPtr<IMMDeviceEnumerator> enumerator_;
    ComPtr<IMMDevice> device_;
    ComPtr<IAudioEndpointVolume> volume_;
};

} // namespace kob
