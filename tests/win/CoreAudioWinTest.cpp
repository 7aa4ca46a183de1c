// The Core Audio endpoint: against Wine's real COM objects on the null audio device, and against counting fakes
// that prove every interface it obtains is released.
#include <gtest/gtest.h>

#include <windows.h>

#include <objbase.h>

#include "volume/win32/CoreAudioEndpoint.h"
#include "volume/win32/EndpointVolume.h"

namespace kob::test {
namespace {

struct ComThread {
    ComThread() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComThread() { CoUninitialize(); }
};

TEST(CoreAudioEndpoint, WinesEndpointReadsAndMutesButRefusesAScalarWriteSoWinmmStays) {
    ComThread com;
    CoreAudioEndpoint endpoint;
    ASSERT_TRUE(endpoint.Resolve());
    const float level = endpoint.Level().value_or(-1);
    EXPECT_GE(level, 0.0f);
    EXPECT_LE(level, 1.0f);
    EXPECT_EQ(endpoint.FriendlyName(), "Out: default");
    for (bool muted : {true, false}) {
        EXPECT_TRUE(endpoint.WriteMute(muted));
        EXPECT_EQ(endpoint.Muted(), muted);
    }
    EXPECT_FALSE(endpoint.WriteLevel(level)) << "Wine answers E_NOTIMPL";
    EXPECT_FALSE(EndpointCanBeTheMaster(endpoint));
}

// Every fake object counts the references the code under test holds on it.
int g_liveReferences = 0;

template <typename Interface> class Counted : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        ++g_liveReferences;
        return ++references_;
    }
    ULONG STDMETHODCALLTYPE Release() override {
        --g_liveReferences;
        return --references_;
    }
    // The reference handed out with a new object.
    Interface* HandOut() {
        AddRef();
        return this;
    }

private:
    ULONG references_ = 0;
};

class FakeStore : public Counted<IPropertyStore> {
public:
    HRESULT STDMETHODCALLTYPE GetCount(DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetAt(DWORD, PROPERTYKEY*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetValue(REFPROPERTYKEY, PROPVARIANT* value) override {
        static const wchar_t name[] = L"Speakers";
        value->vt = VT_LPWSTR;
        value->pwszVal = static_cast<LPWSTR>(CoTaskMemAlloc(sizeof(name)));
        memcpy(value->pwszVal, name, sizeof(name));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetValue(REFPROPERTYKEY, REFPROPVARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Commit() override { return E_NOTIMPL; }
};

class FakeVolume : public Counted<IAudioEndpointVolume> {
public:
    HRESULT STDMETHODCALLTYPE RegisterControlChangeNotify(IAudioEndpointVolumeCallback*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnregisterControlChangeNotify(IAudioEndpointVolumeCallback*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetChannelCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMasterVolumeLevel(float, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMasterVolumeLevelScalar(float scalar, LPCGUID) override {
        level = scalar;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetMasterVolumeLevel(float*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMasterVolumeLevelScalar(float* scalar) override {
        *scalar = level;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetChannelVolumeLevel(UINT, float, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetChannelVolumeLevelScalar(UINT, float, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetChannelVolumeLevel(UINT, float*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetChannelVolumeLevelScalar(UINT, float*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMute(BOOL value, LPCGUID) override {
        muted = value;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetMute(BOOL* value) override {
        *value = muted;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetVolumeStepInfo(UINT* step, UINT* steps) override {
        *step = 0;
        *steps = 51;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE VolumeStepUp(LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE VolumeStepDown(LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryHardwareSupport(DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetVolumeRange(float*, float*, float*) override { return E_NOTIMPL; }
    float level = 0.25f;
    BOOL muted = FALSE;
};

class FakeDevice : public Counted<IMMDevice> {
public:
    HRESULT STDMETHODCALLTYPE Activate(REFIID, DWORD, PROPVARIANT*, void** object) override {
        *object = volume.HandOut();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OpenPropertyStore(DWORD, IPropertyStore** store) override {
        *store = properties.HandOut();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetId(LPWSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetState(DWORD*) override { return E_NOTIMPL; }
    FakeVolume volume;
    FakeStore properties;
};

class FakeEnumerator : public Counted<IMMDeviceEnumerator> {
public:
    HRESULT STDMETHODCALLTYPE EnumAudioEndpoints(EDataFlow, DWORD, IMMDeviceCollection**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDefaultAudioEndpoint(EDataFlow flow, ERole role, IMMDevice** device) override {
        if (flow != eRender || role != eConsole || !present) {
            return E_NOTFOUND;
        }
        *device = speakers.HandOut();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDevice(LPCWSTR, IMMDevice**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RegisterEndpointNotificationCallback(IMMNotificationClient* client) override {
        listener = client;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE UnregisterEndpointNotificationCallback(IMMNotificationClient* client) override {
        if (client == listener) {
            listener = nullptr;
        }
        return S_OK;
    }
    FakeDevice speakers;
    IMMNotificationClient* listener = nullptr;
    bool present = true;
};

// Counts the task allocator's blocks handed out while it is registered and not yet freed.
class LiveBlocks : public IMallocSpy {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        *object = iid == IID_IUnknown || iid == IID_IMallocSpy ? this : nullptr;
        return *object ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T bytes) override { return bytes; }
    void* STDMETHODCALLTYPE PostAlloc(void* block) override {
        count += block != nullptr;
        return block;
    }
    void* STDMETHODCALLTYPE PreFree(void* block, BOOL spied) override {
        count -= spied != FALSE;
        return block;
    }
    void STDMETHODCALLTYPE PostFree(BOOL) override {}
    SIZE_T STDMETHODCALLTYPE PreRealloc(void* block, SIZE_T bytes, void** request, BOOL) override {
        *request = block;
        return bytes;
    }
    void* STDMETHODCALLTYPE PostRealloc(void* block, BOOL) override { return block; }
    void* STDMETHODCALLTYPE PreGetSize(void* block, BOOL) override { return block; }
    SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T bytes, BOOL) override { return bytes; }
    void* STDMETHODCALLTYPE PreDidAlloc(void* block, BOOL) override { return block; }
    int STDMETHODCALLTYPE PostDidAlloc(void*, BOOL, int actual) override { return actual; }
    void STDMETHODCALLTYPE PreHeapMinimize() override {}
    void STDMETHODCALLTYPE PostHeapMinimize() override {}
    int count = 0;
};
// A leaked block keeps the spy registered: it must outlive the test.
LiveBlocks g_liveBlocks;

FakeEnumerator* g_enumerator = nullptr;

HRESULT MakeFakeEnumerator(IMMDeviceEnumerator** enumerator) {
    *enumerator = g_enumerator->HandOut();
    return S_OK;
}

TEST(CoreAudioEndpoint, EveryInterfaceItObtainsIsReleased) {
    FakeEnumerator enumerator;
    g_enumerator = &enumerator;
    g_liveReferences = 0;
    {
        CoreAudioEndpoint endpoint(&MakeFakeEnumerator);
        ASSERT_TRUE(endpoint.Resolve());
        EXPECT_TRUE(EndpointCanBeTheMaster(endpoint));
        ASSERT_EQ(CoRegisterMallocSpy(&g_liveBlocks), S_OK);
        EXPECT_EQ(endpoint.FriendlyName(), "Speakers");
        EXPECT_EQ(g_liveBlocks.count, 0) << "the name's string is freed";
        CoRevokeMallocSpy();
        EXPECT_TRUE(endpoint.WriteMute(true));
        EXPECT_EQ(enumerator.speakers.volume.muted, TRUE);
        for (int i = 0; i < 5; ++i) {
            EXPECT_TRUE(endpoint.Resolve());
        }
        EXPECT_EQ(g_liveReferences, 3) << "the enumerator, the device and its volume";
        ASSERT_NE(enumerator.listener, nullptr);
        EXPECT_FALSE(endpoint.DefaultChanged());
        enumerator.listener->OnDefaultDeviceChanged(eCapture, eConsole, L"microphone");
        EXPECT_FALSE(endpoint.DefaultChanged()) << "a recording device is not the master";
        enumerator.listener->OnDefaultDeviceChanged(eRender, eConsole, L"headphones");
        EXPECT_TRUE(endpoint.DefaultChanged());
        EXPECT_FALSE(endpoint.DefaultChanged()) << "reported once";
        enumerator.present = false;
        EXPECT_FALSE(endpoint.Resolve());
        EXPECT_FALSE(endpoint.Level());
        EXPECT_EQ(g_liveReferences, 1) << "only the enumerator while no device exists";
    }
    EXPECT_EQ(g_liveReferences, 0);
    EXPECT_EQ(enumerator.listener, nullptr) << "no report may reach an endpoint that is gone";
    g_enumerator = nullptr;
}

} // namespace
} // namespace kob::test
