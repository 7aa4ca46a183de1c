#include "volume/win32/CoreAudioEndpoint.h"

#include <propidl.h>

#include <vector>

namespace kob {

namespace {

// The published GUIDs, spelt out here so that no import library of a later system is needed.
const CLSID kMMDeviceEnumerator = {0xBCDE0395, 0xE52F, 0x467C, {0x8E, 0x3D, 0xC4, 0x57, 0x92, 0x91, 0x69, 0x2E}};
const IID kIMMDeviceEnumerator = {0xA95664D2, 0x9614, 0x4F35, {0xA7, 0x46, 0xDE, 0x8D, 0xB6, 0x36, 0x17, 0xE6}};
const IID kIMMNotificationClient = {0x7991EEC9, 0x7E89, 0x4D85, {0x83, 0x90, 0x6C, 0x70, 0x3C, 0xEC, 0x60, 0xC0}};
const IID kIAudioEndpointVolume = {0x5CDF2C82, 0x841E, 0x4546, {0x97, 0x22, 0x0C, 0xF7, 0x40, 0x78, 0x22, 0x9A}};
// PKEY_Device_FriendlyName.
const PROPERTYKEY kFriendlyName = {{0xA45C254E, 0xDF1C, 0x4EFD, {0x80, 0x20, 0x67, 0xD1, 0x46, 0xA8, 0x50, 0xE0}}, 14};

} // namespace

HRESULT CoreAudioEndpoint::SystemEnumerator(IMMDeviceEnumerator** enumerator) {
    return CoCreateInstance(kMMDeviceEnumerator, nullptr, CLSCTX_INPROC_SERVER, kIMMDeviceEnumerator,
                            reinterpret_cast<void**>(enumerator));
}

CoreAudioEndpoint::~CoreAudioEndpoint() {
    if (listening_) {
        enumerator_->UnregisterEndpointNotificationCallback(&notifications_);
    }
}

HRESULT CoreAudioEndpoint::Notifications::QueryInterface(REFIID iid, void** object) {
    if (iid == IID_IUnknown || iid == kIMMNotificationClient) {
        *object = static_cast<IMMNotificationClient*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT CoreAudioEndpoint::Notifications::OnDefaultDeviceChanged(EDataFlow flow, ERole role, LPCWSTR) {
    if (flow == eRender && role == eConsole) {
        endpoint_.defaultChanged_ = true;
    }
    return S_OK;
}

bool CoreAudioEndpoint::Resolve() {
    volume_.Reset();
    device_.Reset();
    defaultChanged_ = false;
    if (!enumerator_) {
        if (FAILED(makeEnumerator_(enumerator_.Receive())) || !enumerator_) {
            return false;
        }
        // Without the service's reports the endpoint is still found again when a call fails.
        listening_ = SUCCEEDED(enumerator_->RegisterEndpointNotificationCallback(&notifications_));
    }
    if (FAILED(enumerator_->GetDefaultAudioEndpoint(eRender, eConsole, device_.Receive())) || !device_) {
        return false;
    }
    return SUCCEEDED(device_->Activate(kIAudioEndpointVolume, CLSCTX_INPROC_SERVER, nullptr,
                                       reinterpret_cast<void**>(volume_.Receive()))) &&
           volume_;
}

std::optional<float> CoreAudioEndpoint::Level() {
    float scalar = 0;
    if (!volume_ || FAILED(volume_->GetMasterVolumeLevelScalar(&scalar))) {
        return std::nullopt;
    }
    return scalar;
}

bool CoreAudioEndpoint::WriteLevel(float scalar) {
    return volume_ && SUCCEEDED(volume_->SetMasterVolumeLevelScalar(scalar, nullptr));
}

bool CoreAudioEndpoint::TellsVolumeSteps() {
    UINT step = 0;
    UINT steps = 0;
    return volume_ && SUCCEEDED(volume_->GetVolumeStepInfo(&step, &steps));
}

std::optional<bool> CoreAudioEndpoint::Muted() {
    BOOL value = FALSE;
    if (!volume_ || FAILED(volume_->GetMute(&value))) {
        return std::nullopt;
    }
    return value != FALSE;
}

bool CoreAudioEndpoint::WriteMute(bool muted) {
    return volume_ && SUCCEEDED(volume_->SetMute(muted ? TRUE : FALSE, nullptr));
}

std::string CoreAudioEndpoint::FriendlyName() {
    ComPtr<IPropertyStore> store;
    if (!device_ || FAILED(device_->OpenPropertyStore(STGM_READ, store.Receive())) || !store) {
        return {};
    }
    PROPVARIANT value;
    PropVariantInit(&value);
    std::string name;
    if (SUCCEEDED(store->GetValue(kFriendlyName, &value)) && value.vt == VT_LPWSTR && value.pwszVal) {
        const int bytes = WideCharToMultiByte(CP_ACP, 0, value.pwszVal, -1, nullptr, 0, nullptr, nullptr);
        if (bytes > 1) {
            std::vector<char> ansi(static_cast<std::size_t>(bytes), '\0');
            WideCharToMultiByte(CP_ACP, 0, value.pwszVal, -1, ansi.data(), bytes, nullptr, nullptr);
            name.assign(ansi.data());
        }
    }
    PropVariantClear(&value);
    return name;
}

} // namespace kob
