#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "fakes/FakeProcessList.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeSystem.h"
#include "mixer/MixerService.h"
#include "platform/MessageBoxService.h"
#include "platform/ProcessControl.h"
#include "platform/ProgramLauncher.h"
#include "platform/ScreenService.h"
#include "settings/Settings.h"
#include "tray/SoundDevice.h"

namespace kob::test {

// Thrown by the fake ProcessControl so a test can prove that nothing after an ending ran. It deliberately does
// not derive from std::exception: the program's error guards must let it through.
struct ProcessEnded {
    std::uint32_t exitCode;
};

// One ordered journal shared by all fakes, so tests can check the order of calls across services.
struct CallLog {
    std::vector<std::string> calls;
    // Off for long soaks, whose journal would only fill the memory.
    bool recording = true;
    void Add(const std::string& call) {
        if (recording) {
            calls.push_back(call);
        }
    }
    bool Contains(const std::string& call) const;
    // Position of the first call that starts with the prefix, or -1.
    int IndexOf(const std::string& prefix) const;
};

struct ShownMessage {
    std::string text;
    std::string title;
    MessageIcon icon;
};

class FakeMessageBox : public MessageBoxService {
public:
    explicit FakeMessageBox(CallLog& log) : log_(log) {}
    void Show(const std::string& text, const std::string& title, MessageIcon icon) override;
    std::vector<ShownMessage> shown;
    // Runs while the first box is open, as a real box's modal loop goes on delivering the program's messages
    // (timer ticks, tray reports, posted messages).
    std::function<void()> whileOpen;

private:
    CallLog& log_;
    int open_ = 0;
};

class FakeProcess : public ProcessControl {
public:
    explicit FakeProcess(CallLog& log) : log_(log) {}
    void StopEverything() override { stopped = true; }
    [[noreturn]] void EndProcess(std::uint32_t exitCode) override;
    // After StopEverything the real platform delivers nothing more to the program: a fake message loop asks this.
    bool stopped = false;
    bool ended = false;
    std::uint32_t exitCode = 0;

private:
    CallLog& log_;
};

class FakeScreen : public ScreenService {
public:
    double TwipsPerPixelX() const override { return twipsPerPixelX; }
    double TwipsPerPixelY() const override { return twipsPerPixelY; }
    ScreenRect WorkArea() const override { return workArea; }
    double twipsPerPixelX = 15;
    double twipsPerPixelY = 15;
    ScreenRect workArea{0, 0, 1024, 738};
};

// A mixer with one speakers line holding a volume and a mute control, whose calls can be made to fail. Like
// winmm it refuses every call on a handle that is not open (MMSYSERR_INVALHANDLE), and it counts opens and
// closes, so a leaked or wrongly closed handle shows (Wine keeps accepting closed handles and cannot).
class FakeMixer : public MixerService {
public:
    explicit FakeMixer(CallLog& log) : log_(log) {}
    std::uint32_t OpenDevice0(std::uintptr_t& handle) override;
    std::uint32_t GetSpeakersLine(std::uintptr_t handle, MixerLineInfo& line) override;
    std::uint32_t GetLineControlByType(std::uintptr_t handle, std::uint32_t lineId, std::uint32_t controlType,
                                       MixerControlInfo& control) override;
    std::uint32_t GetControlValue(std::uintptr_t handle, std::uint32_t controlId, std::int32_t& value) override;
    std::uint32_t SetControlValue(std::uintptr_t handle, std::uint32_t controlId, std::int32_t value) override;
    void Close(std::uintptr_t handle) override;

    // Results to return; 0 is success.
    std::uint32_t openResult = 0;
    std::uint32_t lineResult = 0;
    std::uint32_t controlsResult = 0;
    std::uint32_t getResult = 0;
    std::uint32_t setResult = 0;
    // Control types the line has.
    bool hasVolume = true;
    bool hasMute = true;

    std::string deviceName = "Fake Audio Mixer";
    std::uint32_t lineId = 0xFFFF0000;
    std::map<std::uint32_t, std::int32_t> values{{kVolumeId, 65535}, {kMuteId, 0}};
    std::uintptr_t nextHandle = 0x100;
    std::set<std::uintptr_t> openHandles;
    int opens = 0;
    std::vector<std::uintptr_t> closed;
    // Calls on handles that were not open, closes of such handles included.
    int refusedCalls = 0;
    // Open handles the device no longer serves (unplugged and plugged in again): every call on them fails.
    std::set<std::uintptr_t> broken;
    // Handles used by value reads and writes, in call order.
    std::vector<std::uintptr_t> handlesUsed;
    std::vector<std::int32_t> written;

    static constexpr std::uint32_t kVolumeId = 0;
    static constexpr std::uint32_t kMuteId = 1;
    static constexpr std::uint32_t kInvalidHandle = 5; // MMSYSERR_INVALHANDLE
    static constexpr std::uint32_t kNoDriver = 6;      // MMSYSERR_NODRIVER

private:
    // A call on a handle that is not open is counted; one on a broken handle fails too.
    bool Refuses(std::uintptr_t handle);
    std::uint32_t Refusal(std::uintptr_t handle);
    CallLog& log_;
};

// Starts nothing; records the command lines, and fails with the given description when one is set.
class FakeLauncher : public ProgramLauncher {
public:
    explicit FakeLauncher(CallLog& log) : log_(log) {}
    bool Start(const std::string& commandLine, std::string& failure) override {
        log_.Add("Start " + commandLine);
        started.push_back(commandLine);
        if (!failWith.empty()) {
            failure = failWith;
            return false;
        }
        return true;
    }
    bool FileExists(const std::string& path) override { return files.count(path) != 0; }
    std::vector<std::string> started;
    std::set<std::string> files;
    std::string failWith;

private:
    CallLog& log_;
};

// The test sound's multimedia control: records each property and command; the named ones fail.
class FakeSoundDevice : public SoundDevice {
public:
    explicit FakeSoundDevice(CallLog& log) : log_(log) {}
    bool SetDeviceType(const std::string& type) override { return Note("DeviceType " + type); }
    bool SetFileName(const std::string& file) override { return Note("FileName " + file); }
    bool Command(const std::string& command) override { return Note("Command " + command); }
    std::set<std::string> failing;

private:
    bool Note(const std::string& step) {
        log_.Add("soundDevice." + step);
        return failing.count(step) == 0;
    }
    CallLog& log_;
};

// One fake of every platform service, sharing one call log. The code under test takes each service it uses on
// its own, so a test can hand it any real adapter in place of the fake.
struct FakePlatform {
    CallLog log;
    FakeMessageBox messages{log};
    FakeProcess process{log};
    FakeScreen screen;
    FakeMixer mixer{log};
    FakeRegistry registry{log};
    FakeProcessList processList{log};
    FakeSystemInfo systemInfo{&log};
    FakeModulePath modulePath;
    FakeLauncher launcher{log};
    FakeSoundDevice sound{log};
    // The program's settings, kept in the fake registry.
    Settings settings{registry, messages, modulePath, process};
};

} // namespace kob::test
