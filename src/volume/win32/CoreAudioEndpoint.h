#pragma once

#include <windows.h>

#include <endpointvolume.h>
#include <mmdeviceapi.h>

#include <atomic>

#include "platform/win32/ComPtr.h"
#include "volume/win32/AudioEndpoint.h"

namespace kob {

// The default render endpoint through the Core Audio API of Windows Vista and later, reached through ole32 alone
// so that the program still loads on Windows 2000 (where creating the enumerator simply fails). COM must be
// initialised on the thread. Every interface it obtains is released when it resolves again or goes.
class CoreAudioEndpoint : public AudioEndpoint {
public:
    // Makes the device enumerator; the system's by default, another in tests.
    using EnumeratorMaker = HRESULT (*)(IMMDeviceEnumerator** enumerator);
    static HRESULT SystemEnumerator(IMMDeviceEnumerator** enumerator);

    explicit CoreAudioEndpoint(EnumeratorMaker makeEnumerator = &SystemEnumerator)
        : makeEnumerator_(makeEnumerator), notifications_(*this) {}
    CoreAudioEndpoint(const CoreAudioEndpoint&) = delete;
    CoreAudioEndpoint& operator=(const CoreAudioEndpoint&) = delete;
    ~CoreAudioEndpoint() override;

    bool Resolve() override;
    bool DefaultChanged() override { return defaultChanged_.exchange(false); }
    std::optional<float> Level() override;
    bool WriteLevel(float scalar) override;
    bool TellsVolumeSteps() override;
    std::optional<bool> Muted() override;
    bool WriteMute(bool muted) override;
    std::string FriendlyName() override;

private:
    // Hears from the system's audio service, on a thread of its own, that the default device has changed.
    class Notifications : public IMMNotificationClient {
    public:
        explicit Notifications(CoreAudioEndpoint& endpoint) : endpoint_(endpoint) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
        // Lives as long as the endpoint, which unregisters it before it goes.
        ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
        ULONG STDMETHODCALLTYPE Release() override { return 1; }
        HRESULT STDMETHODCALLTYPE OnDeviceStateChanged(LPCWSTR, DWORD) override { return S_OK; }
        HRESULT STDMETHODCALLTYPE OnDeviceAdded(LPCWSTR) override { return S_OK; }
        HRESULT STDMETHODCALLTYPE OnDeviceRemoved(LPCWSTR) override { return S_OK; }
        HRESULT STDMETHODCALLTYPE OnDefaultDeviceChanged(EDataFlow flow, ERole role, LPCWSTR) override;
        HRESULT STDMETHODCALLTYPE OnPropertyValueChanged(LPCWSTR, const PROPERTYKEY) override { return S_OK; }

    private:
        CoreAudioEndpoint& endpoint_;
    };

    EnumeratorMaker makeEnumerator_;
    Notifications notifications_;
    bool listening_ = false;
    std::atomic<bool> defaultChanged_{false};
    ComPtr<IMMDeviceEnumerator> enumerator_;
    ComPtr<IMMDevice> device_;
    ComPtr<IAudioEndpointVolume> volume_;
};

} // namespace kob
