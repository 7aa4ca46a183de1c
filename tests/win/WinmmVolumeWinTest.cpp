// The winmm backend against Wine's real winmm on the null audio device, and against a counting mixer that fails
// where Wine's never does.
#include <gtest/gtest.h>

#include <windows.h>

#include <mmsystem.h>

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "volume/win32/WinmmVolume.h"

namespace kob::test {
namespace {

TEST(WinmmVolume, EachPercentReadsBackAsItselfAndTheMuteIsASecondControlOfTheSameDevice) {
    WinmmVolume device;
    ASSERT_EQ(device.LookAt(DeviceUse::Mute), std::nullopt);
    ASSERT_EQ(device.LookAt(DeviceUse::Volume), std::nullopt);
    // On the backend's own scale, though Wine's mixer keeps the value as a float (45874 reads back 45873).
    for (int percent = 0; percent <= 100; ++percent) {
        EXPECT_EQ(device.SetPercent(percent), std::nullopt);
        EXPECT_EQ(device.Percent().Value(), percent);
    }
    EXPECT_EQ(device.SetPercent(30), std::nullopt);
    EXPECT_EQ(device.SetMuted(true), std::nullopt);
    EXPECT_TRUE(device.Muted().Value());
    EXPECT_EQ(device.Percent().Value(), 30);
    EXPECT_EQ(device.SetMuted(false), std::nullopt);
    EXPECT_FALSE(device.Muted().Value());
    EXPECT_EQ(device.Name().find('\0'), std::string::npos) << "only the name, without the field's NULs";
}

TEST(WinmmVolume, WinmmAcceptsThePublishedControlRecordSizeAndRejectsALongerOne) {
    HMIXER mixer = nullptr;
    ASSERT_EQ(mixerOpen(&mixer, 0, 0, 0, 0), MMSYSERR_NOERROR);
    MIXERLINEA line{};
    line.cbStruct = sizeof(line);
    line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    ASSERT_EQ(mixerGetLineInfoA(reinterpret_cast<HMIXEROBJ>(mixer), &line, MIXER_GETLINEINFOF_COMPONENTTYPE),
              MMSYSERR_NOERROR);
    alignas(4) unsigned char block[152] = {};
    MIXERLINECONTROLSA request{};
    request.cbStruct = sizeof(request);
    request.dwLineID = line.dwLineID;
    request.dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
    request.cControls = 1;
    request.pamxctrl = reinterpret_cast<MIXERCONTROLA*>(block);
    request.cbmxctrl = 152;
    EXPECT_EQ(mixerGetLineControlsA(reinterpret_cast<HMIXEROBJ>(mixer), &request, MIXER_GETLINECONTROLSF_ONEBYTYPE),
              MMSYSERR_INVALPARAM);
    request.cbmxctrl = 148;
    EXPECT_EQ(mixerGetLineControlsA(reinterpret_cast<HMIXEROBJ>(mixer), &request, MIXER_GETLINECONTROLSF_ONEBYTYPE),
              MMSYSERR_NOERROR);
    mixerClose(mixer);
}

// A thousand finds in one process, as many tray clicks and mute toggles make, keep working: Wine never reuses a
// handle value and refuses the 257th open of a process, so a program that opened the device at every find would
// end after a few hundred. The counting mixer below counts the opens and closes themselves.
TEST(WinmmVolume, AThousandFindsKeepWorking) {
    WinmmVolume device;
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(i % 2 ? device.SetMuted(false) : device.LookAt(DeviceUse::Volume), std::nullopt) << i;
    }
    ASSERT_EQ(device.LookAt(DeviceUse::Mute), std::nullopt);
    const VolumeResult<int> percent = device.Percent();
    EXPECT_TRUE(!percent.Failure() && percent.Value() >= 0 && percent.Value() <= 100);
    EXPECT_EQ(device.Muted().Failure(), std::nullopt);
    EXPECT_FALSE(device.Muted().Value());
}

// Mixer device 0 with one speakers line holding a volume and a mute control, whose calls can be made to fail. Like
// winmm it refuses every call on a handle that is not open, and it counts opens and closes, so a leaked or wrongly
// closed handle shows (Wine keeps accepting closed handles and cannot).
struct CountingMixer {
    static constexpr DWORD kVolumeId = 7;
    static constexpr DWORD kMuteId = 8;

    MMRESULT openResult = MMSYSERR_NOERROR;
    MMRESULT lineResult = MMSYSERR_NOERROR;
    MMRESULT valueResult = MMSYSERR_NOERROR;
    bool hasVolume = true;
    std::map<DWORD, LONG> values{{kVolumeId, 65535}, {kMuteId, 0}};
    std::uintptr_t nextHandle = 0x100;
    std::set<HMIXER> openHandles;
    int opens = 0;
    std::vector<HMIXER> closed;
    // Calls on handles that were not open, closes of such handles included.
    int refusedCalls = 0;
    // Open handles the device no longer serves (unplugged and plugged in again): every call on them fails.
    std::set<HMIXER> broken;
    // Handles used by value reads and writes.
    std::set<HMIXER> handlesUsed;
    // A handle value the next open hands out again, open and served anew (a mixer may).
    HMIXER handOutAgain = nullptr;
    // The calls made, in their order: "open", "close", "line", "controls volume" or "controls mute", "get <id>",
    // "set <id>=<value>".
    std::vector<std::string> calls;

    MMRESULT Refusal(HMIXEROBJ object) {
        const HMIXER handle = reinterpret_cast<HMIXER>(object);
        if (openHandles.count(handle) == 0) {
            ++refusedCalls;
            return MMSYSERR_INVALHANDLE;
        }
        return broken.count(handle) != 0 ? MMSYSERR_NODRIVER : MMSYSERR_NOERROR;
    }
};

// The mixer the winmm functions below act on.
CountingMixer* g_mixer = nullptr;

MMRESULT WINAPI CountingOpen(LPHMIXER handle, UINT, DWORD_PTR, DWORD_PTR, DWORD) {
    g_mixer->calls.push_back("open");
    if (g_mixer->openResult != MMSYSERR_NOERROR) {
        return g_mixer->openResult;
    }
    *handle = g_mixer->handOutAgain ? g_mixer->handOutAgain : reinterpret_cast<HMIXER>(g_mixer->nextHandle++);
    g_mixer->broken.erase(*handle);
    g_mixer->openHandles.insert(*handle);
    ++g_mixer->opens;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI CountingClose(HMIXER handle) {
    g_mixer->calls.push_back("close");
    if (g_mixer->openHandles.erase(handle) == 0) {
        ++g_mixer->refusedCalls;
        return MMSYSERR_INVALHANDLE;
    }
    g_mixer->closed.push_back(handle);
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI CountingLineInfo(HMIXEROBJ object, LPMIXERLINEA line, DWORD) {
    g_mixer->calls.push_back("line");
    if (const MMRESULT refusal = g_mixer->Refusal(object)) {
        return refusal;
    }
    if (g_mixer->lineResult != MMSYSERR_NOERROR) {
        return g_mixer->lineResult;
    }
    line->dwLineID = 0xFFFF0000;
    lstrcpyA(line->Target.szPname, "Counting Mixer");
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI CountingLineControls(HMIXEROBJ object, LPMIXERLINECONTROLSA request, DWORD) {
    if (const MMRESULT refusal = g_mixer->Refusal(object)) {
        return refusal;
    }
    const bool volume = request->dwControlType == MIXERCONTROL_CONTROLTYPE_VOLUME;
    g_mixer->calls.push_back(volume ? "controls volume" : "controls mute");
    if (request->dwLineID != 0xFFFF0000 || (volume && !g_mixer->hasVolume)) {
        return MIXERR_INVALCONTROL;
    }
    request->pamxctrl->dwControlID = volume ? CountingMixer::kVolumeId : CountingMixer::kMuteId;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI CountingGetDetails(HMIXEROBJ object, LPMIXERCONTROLDETAILS details, DWORD) {
    g_mixer->calls.push_back("get " + std::to_string(details->dwControlID));
    g_mixer->handlesUsed.insert(reinterpret_cast<HMIXER>(object));
    if (const MMRESULT refusal = g_mixer->Refusal(object)) {
        return refusal;
    }
    if (g_mixer->valueResult != MMSYSERR_NOERROR) {
        return g_mixer->valueResult;
    }
    *static_cast<LONG*>(details->paDetails) = g_mixer->values[details->dwControlID];
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI CountingSetDetails(HMIXEROBJ object, LPMIXERCONTROLDETAILS details, DWORD) {
    g_mixer->calls.push_back("set " + std::to_string(details->dwControlID) + "=" +
                             std::to_string(*static_cast<LONG*>(details->paDetails)));
    g_mixer->handlesUsed.insert(reinterpret_cast<HMIXER>(object));
    if (const MMRESULT refusal = g_mixer->Refusal(object)) {
        return refusal;
    }
    if (g_mixer->valueResult != MMSYSERR_NOERROR) {
        return g_mixer->valueResult;
    }
    g_mixer->values[details->dwControlID] = *static_cast<LONG*>(details->paDetails);
    return MMSYSERR_NOERROR;
}

// The backend over one counting mixer.
struct OnCountingMixer {
    // The winmm functions act on this mixer while the backend lives, its last close included.
    struct Installed {
        explicit Installed(CountingMixer& mixer) { g_mixer = &mixer; }
        ~Installed() { g_mixer = nullptr; }
    };
    static const dynamic::WinmmCalls& Calls() {
        static const dynamic::WinmmCalls calls{.mixerOpen = &CountingOpen,
                                               .mixerClose = &CountingClose,
                                               .mixerGetLineInfoA = &CountingLineInfo,
                                               .mixerGetLineControlsA = &CountingLineControls,
                                               .mixerGetControlDetailsA = &CountingGetDetails,
                                               .mixerSetControlDetails = &CountingSetDetails};
        return calls;
    }
    CountingMixer mixer;
    Installed installed{mixer};
    std::optional<WinmmVolume> device{std::in_place, &Calls};
};

TEST(WinmmVolumeCounted, OneHandleServesEveryFindAndIsClosedOnceWhenTheBackendGoes) {
    OnCountingMixer c;
    WinmmVolume& device = *c.device;
    ASSERT_EQ(device.LookAt(DeviceUse::Mute), std::nullopt);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(device.LookAt(DeviceUse::Volume), std::nullopt);
        ASSERT_EQ(device.SetPercent(50), std::nullopt);
        ASSERT_EQ(device.Percent().Failure(), std::nullopt);
        ASSERT_EQ(device.SetMuted(i % 2 == 0), std::nullopt);
        ASSERT_EQ(device.Muted().Failure(), std::nullopt);
    }
    EXPECT_EQ(c.mixer.values[CountingMixer::kVolumeId], 32768);
    EXPECT_EQ(c.mixer.values[CountingMixer::kMuteId], 0);
    EXPECT_EQ(c.mixer.opens, 1);
    EXPECT_TRUE(c.mixer.closed.empty());
    EXPECT_EQ(c.mixer.handlesUsed.size(), 1u);
    const HMIXER handle = *c.mixer.openHandles.begin();
    c.device.reset();
    EXPECT_EQ(c.mixer.closed, std::vector<HMIXER>{handle});
    EXPECT_EQ(c.mixer.refusedCalls, 0);
    // A backend that never opened closes nothing.
    { WinmmVolume unused{&OnCountingMixer::Calls}; }
    EXPECT_EQ(c.mixer.closed.size(), 1u);
    EXPECT_EQ(c.mixer.refusedCalls, 0);
}

TEST(WinmmVolumeCounted, EachUseMakesTheMixerCallsOfItsMomentInTheirOrder) {
    OnCountingMixer c;
    const struct {
        const char* use;
        std::function<void(WinmmVolume&)> act;
        std::vector<std::string> calls;
    } uses[] = {
        {"the start-up's preparation of the mute",
         [](WinmmVolume& d) { (void)d.LookAt(DeviceUse::Mute); },
         {"open", "line", "controls mute"}},
        {"a load's preparation of the volume",
         [](WinmmVolume& d) { (void)d.LookAt(DeviceUse::Volume); },
         {"line", "controls volume"}},
        {"reading the volume", [](WinmmVolume& d) { (void)d.Percent(); }, {"get 7"}},
        {"setting it", [](WinmmVolume& d) { (void)d.SetPercent(70); }, {"set 7=45874"}},
        {"reading the mute", [](WinmmVolume& d) { (void)d.Muted(); }, {"get 8"}},
        {"the mute box's write",
         [](WinmmVolume& d) { (void)d.SetMuted(true); },
         {"line", "controls mute", "set 8=1", "line", "controls volume"}},
    };
    for (const auto& use : uses) {
        c.mixer.calls.clear();
        use.act(*c.device);
        EXPECT_EQ(c.mixer.calls, use.calls) << use.use;
    }
    EXPECT_EQ(c.device->Name(), "Counting Mixer");
}

TEST(WinmmVolumeCounted, PercentsGoToTheMixersScaleAndBackRoundedHalfToEven) {
    OnCountingMixer c;
    ASSERT_EQ(c.device->LookAt(DeviceUse::Volume), std::nullopt);
    const std::pair<int, LONG> worked[] = {{100, 65535}, {99, 64880}, {70, 45874}, {50, 32768},
                                           {30, 19660},  {1, 655},    {0, 0}};
    for (const auto& [percent, value] : worked) {
        EXPECT_EQ(c.device->SetPercent(percent), std::nullopt);
        EXPECT_EQ(c.mixer.values[CountingMixer::kVolumeId], value) << percent;
        EXPECT_EQ(c.device->Percent().Value(), percent) << value;
    }
    // Values between whole percents, as another program or Wine's float storage (45874 reads back 45873) leave
    // them, show the nearest percent.
    for (const auto& [value, percent] : {std::pair{32767L, 50}, {327L, 0}, {328L, 1}, {45873L, 70}}) {
        c.mixer.values[CountingMixer::kVolumeId] = value;
        EXPECT_EQ(c.device->Percent().Value(), percent) << value;
    }
}

TEST(WinmmVolumeCounted, AFindWhoseCallFailsOpensTheDeviceAgainOnceAndAFailureThenIsFinal) {
    const struct {
        const char* name;
        std::function<void(CountingMixer&, HMIXER kept)> arrange;
        std::optional<VolumeFailure> failure;
        int opens;
        bool keptClosed;
    } cases[] = {
        {"the kept handle no longer served", [](CountingMixer& m, HMIXER kept) { m.broken.insert(kept); }, std::nullopt,
         2, true},
        {"and the device hands out its value again",
         [](CountingMixer& m, HMIXER kept) {
             m.broken.insert(kept);
             m.handOutAgain = kept;
         },
         std::nullopt, 2, false},
        {"and the device cannot be opened",
         [](CountingMixer& m, HMIXER kept) {
             m.broken.insert(kept);
             m.openResult = MMSYSERR_BADDEVICEID;
         },
         VolumeFailure::NoDevice, 1, false},
        {"and the new handle finds no line",
         [](CountingMixer& m, HMIXER kept) {
             m.broken.insert(kept);
             m.lineResult = MIXERR_INVALLINE;
         },
         VolumeFailure::NoOutput, 2, true},
        {"a line without a volume control", [](CountingMixer& m, HMIXER) { m.hasVolume = false; },
         VolumeFailure::NoControl, 2, true},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        OnCountingMixer c;
        WinmmVolume& device = *c.device;
        ASSERT_EQ(device.LookAt(DeviceUse::Mute), std::nullopt);
        const HMIXER kept = *c.mixer.openHandles.begin();
        k.arrange(c.mixer, kept);
        EXPECT_EQ(device.LookAt(DeviceUse::Volume), k.failure);
        if (!k.failure) {
            EXPECT_EQ(device.Percent().Value(), 100);
            EXPECT_FALSE(device.Muted().Value());
            EXPECT_EQ(c.mixer.handlesUsed.count(kept), k.keptClosed ? 0u : 1u) << "later calls use the new handle";
        }
        EXPECT_EQ(c.mixer.opens, k.opens);
        EXPECT_EQ(c.mixer.closed, k.keptClosed ? std::vector<HMIXER>{kept} : std::vector<HMIXER>{});
        EXPECT_EQ(c.mixer.refusedCalls, 0);
    }
}

TEST(WinmmVolumeCounted, AValueCallTheMixerRefusesFailsWithoutOpeningTheDeviceAgain) {
    const struct {
        std::function<std::optional<VolumeFailure>(WinmmVolume&)> act;
        VolumeFailure failure;
    } calls[] = {
        {[](WinmmVolume& d) { return d.Percent().Failure(); }, VolumeFailure::VolumeUnreadable},
        {[](WinmmVolume& d) { return d.SetPercent(50); }, VolumeFailure::NotSet},
        {[](WinmmVolume& d) { return d.Muted().Failure(); }, VolumeFailure::MuteUnreadable},
        {[](WinmmVolume& d) { return d.SetMuted(true); }, VolumeFailure::NotSet},
    };
    for (const auto& call : calls) {
        OnCountingMixer c;
        ASSERT_EQ(c.device->LookAt(DeviceUse::Mute), std::nullopt);
        ASSERT_EQ(c.device->LookAt(DeviceUse::Volume), std::nullopt);
        c.mixer.valueResult = MMSYSERR_ERROR;
        EXPECT_EQ(call.act(*c.device), call.failure);
        EXPECT_EQ(c.mixer.opens, 1) << "a value call does not open the device again";
    }
}

} // namespace
} // namespace kob::test
