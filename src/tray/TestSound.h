#pragma once

#include <utility>

#include "platform/ModulePathService.h"
#include "platform/Notice.h"
#include "tray/SoundDevice.h"

namespace kob {

// "Test Sound": plays POURING.WAV from the program folder through the tray window's multimedia control.
class TestSound {
public:
    // `report` shows each step's failure before the next step is tried.
    TestSound(SoundDevice& soundDevice, Reporter report, ModulePathService& modulePath)
        : soundDevice_(soundDevice), report_(std::move(report)), modulePath_(modulePath) {}

    // Opening and playing, each failed step reported with the missing-file message before the next is tried. A sound
    // still playing from an earlier choice is stopped and closed first, so the sound starts again.
    void Play();
    // The device's notification that playback ended: stop and close the device.
    void OnTestSoundDone();

private:
    SoundDevice& soundDevice_;
    Reporter report_;
    ModulePathService& modulePath_;
    bool open_ = false;
};

} // namespace kob
