#include "tray/TestSound.h"

#include "platform/ErrorGuard.h"
#include "platform/ProgramFolder.h"

namespace kob {

namespace {

constexpr const char* kSoundFile = "POURING.WAV";
constexpr const char* kMsgSoundMissing = "The .wav file referred by the Drovo Volume Controller is missing. Please "
                                         "reinstall the program to install the sound file. ";

} // namespace

void TestSound::Play() {
    if (open_) {
        MMC1_Done();
    }
    const auto step = [this](bool done) {
        if (!done) {
            ShowMessage(messages_, kMsgSoundMissing, kMbIconExclamation);
        }
    };
    step(MMC1_.SetDeviceType("WaveAudio"));
    step(MMC1_.SetFileName(OpenableProgramFile(modulePath_, kSoundFile)));
    const bool opened = MMC1_.Command("open");
    open_ = opened;
    step(opened);
    step(MMC1_.Command("Play"));
}

void TestSound::MMC1_Done() {
    MMC1_.SetFileName("");
    MMC1_.Command("stop");
    MMC1_.Command("close");
    open_ = false;
}

} // namespace kob
