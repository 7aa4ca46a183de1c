#include "tray/TestSound.h"

#include "platform/ProgramFolder.h"

namespace kob {

namespace {

constexpr const char* kSoundFile = "POURING.WAV";
constexpr const char* kMsgSoundMissing = "The .wav file referred by the Drovo Volume Controller is missing. Please "
                                         "reinstall the program to install the sound file. ";

} // namespace

void TestSound::Play() {
    if (open_) {
        OnTestSoundDone();
    }
    const auto step = [this](bool done) {
        if (!done) {
            report_({kMsgSoundMissing, MessageIcon::Exclamation, std::nullopt});
        }
    };
    step(soundDevice_.SetDeviceType("WaveAudio"));
    step(soundDevice_.SetFileName(OpenableProgramFile(modulePath_, kSoundFile)));
    const bool opened = soundDevice_.Command("open");
    open_ = opened;
    step(opened);
    step(soundDevice_.Command("Play"));
}

void TestSound::OnTestSoundDone() {
    soundDevice_.SetFileName("");
    soundDevice_.Command("stop");
    soundDevice_.Command("close");
    open_ = false;
}

} // namespace kob
