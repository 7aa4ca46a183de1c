#include "platform/SystemTools.h"

#include "platform/ErrorGuard.h"

namespace kob {

namespace {

constexpr const char* kVolumeControlFile = "sndvol32.exe";
// The Volume Control's name from Windows Vista on.
constexpr const char* kNewVolumeControlFile = "sndvol.exe";
constexpr const char* kAudioPropertiesCommand = "rundll32.exe shell32.dll,Control_RunDLL mmsys.cpl";
constexpr const char* kMsgVolumeControlFailed = "Unable to open Windows Volume Control ";
constexpr const char* kMsgAudioPropertiesFailed = "Unable to open Audio properties. ";

void Launch(ProgramLauncher& launcher, MessageBoxService& messages, const std::string& commandLine,
            const char* failurePrefix) {
    std::string failure;
    if (!launcher.Start(commandLine, failure)) {
        ShowMessage(messages, failurePrefix + failure, kMbIconExclamation);
    }
}

} // namespace

void OpenVolumeControl(ProgramLauncher& launcher, MessageBoxService& messages, const std::string& SystemDir) {
    const std::string classic = SystemDir + "\\" + kVolumeControlFile;
    const std::string newer = SystemDir + "\\" + kNewVolumeControlFile;
    const bool onlyNewer = !launcher.FileExists(classic) && launcher.FileExists(newer);
    Launch(launcher, messages, onlyNewer ? newer : classic, kMsgVolumeControlFailed);
}

void OpenAudioProperties(ProgramLauncher& launcher, MessageBoxService& messages) {
    Launch(launcher, messages, kAudioPropertiesCommand, kMsgAudioPropertiesFailed);
}

} // namespace kob
