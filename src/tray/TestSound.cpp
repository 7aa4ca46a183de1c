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
    const bool opened = soundDevice_.Open(OpenableProgramFile(modulePath_, kSoundFile));
    open_ = opened;
    step(opened);
    step(soundDevice_.Play());
}

void TestSound::OnTestSoundDone() {
    soundDevice_.Stop();
    soundDevice_.Close();
    open_ = false;
}

} // namespace kob
