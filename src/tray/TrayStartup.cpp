// The program's start-up: the steps that run before the tray icon appears, and the refusals among them that end
// the program instead (no window, no settings, an unsupported system, a copy already running, no volume device).
#include "platform/InstanceGuard.h"
#include "platform/SystemChecks.h"
#include "tray/TrayApp.h"

namespace kob {

namespace {

constexpr const char* kMsgNoTrayWindow = "Unable to create the program's window.";
constexpr const char* kMsgInstallationError =
    "KOB Installation Error. Please re-install the program to correct this problem";

} // namespace

void TrayApp::Start() {
    const std::optional<Notice> refusal = RunStartupSteps();
    if (!refusal) {
        // Only a copy that runs on: a refused one must never be started again.
        services_.process.RestartAfterUpdates();
        view_.AddTrayIcon();
        return;
    }
    Report(*refusal);
}

std::optional<Notice> TrayApp::RunStartupSteps() {
    facts_.ownProcessId = services_.systemInfo.GetCurrentProcessId();
    if (!view_.Create()) {
        return Notice{kMsgNoTrayWindow, MessageIcon::Error, CodeOf(ExitCode::NoProgramWindow)};
    }
    view_.HideFromTaskList();
    CreateInstanceMutex(services_.systemInfo);
    // Taken by this, the main, thread: held while it runs, whatever the rest of the start-up does.
    const MutexOwnership guard = TakeProgramGuard(services_.systemInfo, services_.modulePath);
    const std::optional<bool> firstStart = services_.settings.IsFirstStart();
    if (!firstStart) {
        return Notice{kMsgInstallationError, MessageIcon::Error, CodeOf(ExitCode::InstallationError)};
    }
    if (*firstStart) {
        services_.settings.DoFirstStartWork();
    }
    facts_.platform = services_.systemInfo.ReadPlatform();
    if (std::optional<Notice> refusal = PlatformRefusal(facts_.platform)) {
        return refusal;
    }
    facts_.systemFolder = services_.systemInfo.ReadSystemFolder().value_or("");
    const ProcessIds processIds = ListProcessIds(services_.processList);
    if (IsAlreadyRunning(services_.processList, services_.modulePath, processIds, guard)) {
        // Silently, with its own process id: the copy already running is the one the user has.
        return Notice{"", MessageIcon::Error, facts_.ownProcessId};
    }
    if (const auto failure = volume_.LookAt(DeviceUse::Mute)) {
        return EndingOf(*failure);
    }
    view_.EnableMuteMonitor(true);
    // Loading the controller once finds the device name for the About window before anyone opens it. It is done
    // without its window: nothing may appear or take the foreground at start.
    if (const auto failure = controller_.LearnDeviceName()) {
        return EndingOf(*failure);
    }
    return std::nullopt;
}

} // namespace kob
