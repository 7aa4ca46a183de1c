#include "platform/SystemTools.h"

namespace kob {

namespace {

constexpr const char* kVolumeControlFile = "sndvol32.exe";
// The Volume Control's name from Windows Vista on.
constexpr const char* kNewVolumeControlFile = "sndvol.exe";
constexpr const char* kRunDllFile = "rundll32.exe";
constexpr const char* kAudioPropertiesArguments = " shell32.dll,Control_RunDLL mmsys.cpl";
constexpr const char* kMsgVolumeControlFailed = "Unable to open Windows Volume Control ";
constexpr const char* kMsgAudioPropertiesFailed = "Unable to open Audio properties. ";

// A program of the system folder by its full path, quoted: a bare name would be looked for in the program's and the
// current folder first, where anybody may have put a file of that name, and an unquoted path with a blank would
// start the program that its first word names.
std::string InsystemFolder(const std::string& systemFolder, const std::string& file) {
    return "\"" + systemFolder + "\\" + file + "\"";
}

std::optional<Notice> Launch(ProgramLauncher& launcher, const std::string& commandLine, const char* failurePrefix) {
    if (const auto failure = launcher.Start(commandLine)) {
        return Notice{failurePrefix + *failure, MessageIcon::Exclamation, std::nullopt};
    }
    return std::nullopt;
}

} // namespace

std::optional<Notice> OpenVolumeControl(ProgramLauncher& launcher, const std::string& systemFolder) {
    const std::string classic = systemFolder + "\\" + kVolumeControlFile;
    const std::string newer = systemFolder + "\\" + kNewVolumeControlFile;
    const bool onlyNewer = !launcher.FileExists(classic) && launcher.FileExists(newer);
    return Launch(launcher, InsystemFolder(systemFolder, onlyNewer ? kNewVolumeControlFile : kVolumeControlFile),
                  kMsgVolumeControlFailed);
}

std::optional<Notice> OpenAudioProperties(ProgramLauncher& launcher, const std::string& systemFolder) {
    // rundll32.exe then finds shell32.dll and mmsys.cpl in its own folder, the system folder, before any other.
    return Launch(launcher, InsystemFolder(systemFolder, kRunDllFile) + kAudioPropertiesArguments,
                  kMsgAudioPropertiesFailed);
}

} // namespace kob
