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
#include "platform/MessageBoxService.h"
#include "platform/Notice.h"
#include "platform/ProcessControl.h"
#include "platform/ProgramLauncher.h"
#include "platform/ScreenService.h"
#include "settings/Settings.h"
#include "tray/SoundDevice.h"
#include "volume/VolumeDevice.h"

namespace kob::test {

struct ShownMessage {
    std::string text;
    std::string title;
    MessageIcon icon;
};

class FakeMessageBox : public MessageBoxService {
public:
    void Show(const std::string& text, const std::string& title, MessageIcon icon) override;
    std::vector<ShownMessage> shown;
    // Runs while the first box is open, as a real box's modal loop goes on delivering the program's messages
    // (timer ticks, tray reports, posted messages).
    std::function<void()> whileOpen;

private:
    int open_ = 0;
};

// Records the ending; the process goes on, so a test can prove that nothing of the program ran after it.
class FakeProcess : public ProcessControl {
public:
    void StopEverything() override { stopped = true; }
    void EndProcess(std::uint32_t exitCode) override;
    void RestartAfterUpdates() override { ++restartRequests; }
    int restartRequests = 0;
    // After StopEverything the real platform delivers nothing more to the program: a fake message loop asks this.
    bool stopped = false;
    bool ended = false;
    std::uint32_t exitCode = 0;
    // Runs at each ending, so a test can capture what the program had done by then.
    std::function<void()> onEnd;
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

// The master output as a backend holds it: a volume in percent and a mute, any step of which can be made to fail.
// It refuses a use of the volume or the mute that was never prepared, and counts such calls.
class FakeVolumeDevice : public VolumeDevice {
public:
    std::optional<VolumeFailure> LookAt(DeviceUse use) override;
    VolumeResult<int> Percent() override;
    std::optional<VolumeFailure> SetPercent(int value) override;
    VolumeResult<bool> Muted() override;
    std::optional<VolumeFailure> SetMuted(bool value) override;
    std::string Name() override { return name; }

    // What the device holds.
    int percent = 100;
    bool muted = false;
    std::string name = "Fake Audio Mixer";
    // The failure every preparation reports; a device without the control asked for fails with NoControl.
    std::optional<VolumeFailure> prepareFailure;
    bool hasVolume = true;
    bool hasMute = true;
    bool readFails = false;
    bool writeFails = false;
    // Writes of the volume or the mute, refused ones included.
    int writes = 0;
    // Runs at each write, so a test can capture what the program had done by then.
    std::function<void()> onWrite;
    // The calls the device received, in order, with the value written: "SetPercent 70".
    std::vector<std::string> calls;
    // Uses of the volume or the mute that was never prepared.
    int refusedCalls = 0;

private:
    std::optional<VolumeFailure> Prepare(bool present, bool& prepared);
    bool Refuses(bool prepared);
    std::optional<VolumeFailure> Write(const std::string& call, bool refused);
    bool volumePrepared_ = false;
    bool mutePrepared_ = false;
};

// Starts nothing; records the command lines, and fails with the given description when one is set.
class FakeLauncher : public ProgramLauncher {
public:
    std::optional<std::string> Start(const std::string& commandLine) override {
        started.push_back(commandLine);
        if (!failWith.empty()) {
            return failWith;
        }
        return std::nullopt;
    }
    bool FileExists(const std::string& path) override { return files.count(path) != 0; }
    std::vector<std::string> started;
    std::set<std::string> files;
    std::string failWith;
};

// The test sound's device: records each step; the named ones ("Open", "Play") fail.
class FakeSoundDevice : public SoundDevice {
public:
    bool Open(const std::string& waveFile) override { return Note("Open", " " + waveFile); }
    bool Play() override { return Note("Play"); }
    bool Stop() override { return Note("Stop"); }
    bool Close() override { return Note("Close"); }
    std::set<std::string> failing;
    // Each step, in order: "Open C:\\...", "Play".
    std::vector<std::string> steps;

private:
    bool Note(const std::string& step, const std::string& detail = "") {
        steps.push_back(step + detail);
        return failing.count(step) == 0;
    }
};

// One fake of every platform service, each keeping its own record. The code under test takes each service it uses
// on its own, so a test can hand it any real adapter in place of the fake.
struct FakePlatform {
    FakeMessageBox messages;
    FakeProcess process;
    FakeScreen screen;
    FakeVolumeDevice volume;
    FakeRegistry registry;
    FakeProcessList processList;
    FakeSystemInfo systemInfo;
    FakeModulePath modulePath;
    FakeLauncher launcher;
    FakeSoundDevice sound;
    // The program's settings, kept in the fake registry.
    Settings settings{registry, modulePath};
    // The host's reporting, through these fakes.
    Reporter report = [this](const Notice& notice) { Report(messages, process, notice); };
};

} // namespace kob::test
