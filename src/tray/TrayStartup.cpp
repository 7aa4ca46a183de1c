// The program's start-up: the steps that run before the tray icon appears, and the refusals among them that end
// the program instead (no settings, an unsupported system, a copy already running, no mixer).
#include "platform/ErrorGuard.h"
#include "platform/FatalError.h"
#include "platform/InstanceGuard.h"
#include "platform/SystemChecks.h"
#include "tray/TrayApp.h"

namespace kob {

namespace {

constexpr const char* kMsgNoCompanionWindow = "Unable to create the program's window.";

} // namespace

void TrayApp::Start() {
    facts_.OwnProcessId = services_.systemInfo.GetCurrentProcessId();
    if (!view_.Create()) {
        EndWithMessage(services_.messages, services_.process, kMsgNoCompanionWindow, MessageIcon::Error,
                       ExitCode::NoProgramWindow);
    }
    RunStartupSteps();
    view_.AddTrayIcon();
}

void TrayApp::RunStartupSteps() {
    // A failure inside one step is ignored and the next step runs; the endings built into the routines (the
    // installation error, an unsupported system, a second copy, a volume failure) end the program.
    IgnoreErrors([&] { view_.HideFromTaskList(); });
    IgnoreErrors([&] { CreateInstanceMutex(services_.systemInfo); });
    // Taken by this, the main, thread: held while it runs, whatever the rest of the start-up does.
    MutexOwnership guard = MutexOwnership::Unavailable;
    IgnoreErrors([&] { guard = TakeProgramGuard(services_.systemInfo, services_.modulePath); });
    bool firstStart = false;
    IgnoreErrors([&] { firstStart = services_.settings.IsFirstStart(); });
    IgnoreErrors([&] {
        if (firstStart) {
            services_.settings.DoFirstStartWork();
        }
    });
    IgnoreErrors([&] { facts_.Platform = services_.systemInfo.ReadPlatform(); });
    IgnoreErrors([&] { RefuseUnsupportedPlatform(services_.messages, services_.process, facts_.Platform); });
    IgnoreErrors([&] { ReadSystemFolder(services_.systemInfo, facts_.SystemFolder); });
    IgnoreErrors([&] {
        ProcessIds processIds;
        ListProcessIds(services_.processList, services_.messages, processIds);
        EndIfAlreadyRunning(services_.processList, services_.modulePath, services_.process, facts_.OwnProcessId,
                            processIds, guard);
    });
    IgnoreErrors([&] { volume_.FindMuteControl(); });
    IgnoreErrors([&] { view_.EnableMuteMonitor(true); });
    // Loading the controller once finds the device name for the About window before anyone opens it. It
    // is done without its window: nothing may appear or take the foreground at start.
    IgnoreErrors([&] { controller_.LoadAndUnloadUnseen(); });
}

} // namespace kob
