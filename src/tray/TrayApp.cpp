#include "tray/TrayApp.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include "common/MakersWebsite.h"
#include "platform/ErrorGuard.h"
#include "platform/ExitCode.h"
#include "platform/FatalError.h"
#include "platform/ProgramFolder.h"
#include "platform/SystemChecks.h"
#include "platform/SystemTools.h"

namespace kob {

namespace {

constexpr const char* kHelpFile = "KOBHELP.HTM";

} // namespace

TrayApp::TrayApp(TrayView& view, const TrayAppServices& services, VolumeDevice& volumeDevice, SoundDevice& soundDevice,
                 const ControllerServices& controllerServices, ControllerWindowMaker makeControllerWindow)
    : view_(view), services_(services), volume_(volumeDevice, services.messages, services.process),
      testSound_(soundDevice, services.messages, services.modulePath),
      // A showing may be going from inside its own handler: it is freed once that handler is over.
      controller_(std::move(makeControllerWindow), controllerServices, volume_, facts_,
                  [this] { view_.DiscardControllersLater(); }),
      muteMonitor_(volume_, controller_, view) {}

TrayApp::~TrayApp() {
    controller_.Unload();
    controller_.DiscardFinished();
}

void TrayApp::OnClosedBySystem() {
    services_.settings.SaveControllerState(ControllerState::Closed);
}

void TrayApp::OnTrayIconEvent(TrayIconEvent event) {
    switch (event) {
    case TrayIconEvent::RightButtonDown:
        PopUpMenu();
        break;
    case TrayIconEvent::LeftButtonUp:
    case TrayIconEvent::LeftDoubleClick:
        ShowController();
        break;
    case TrayIconEvent::Other:
        break;
    }
}

void TrayApp::ShowController() {
    controller_.Unload();
    Controller& controller = controller_.ShowAfresh();
    controller_.BringLoadedToForeground();
    keepOnTop_.enabled = true;
    if (controller_.Loaded() == &controller) {
        controller.StartVolumeSync();
    }
    services_.settings.SaveControllerState(ControllerState::Shown);
}

void TrayApp::PopUpMenu() {
    // An unreadable or unknown state leaves the item as it was.
    if (const auto state = services_.settings.LoadControllerState()) {
        switch (*state) {
        case ControllerState::Closed:
            keepOnTop_ = {false, false};
            break;
        case ControllerState::OnTop:
            keepOnTop_ = {true, true};
            break;
        case ControllerState::Shown:
            keepOnTop_ = {false, true};
            break;
        }
    }
    view_.BringToForeground();
    RunMenuCommand(view_.ShowMenu(keepOnTop_));
}

void TrayApp::RunMenuCommand(MenuCommand command) {
    switch (command) {
    case MenuCommand::About:
        view_.ShowAbout(volume_.DeviceName());
        break;
    case MenuCommand::Help:
        view_.OpenMaximized(ProgramFilePath(services_.modulePath, kHelpFile));
        break;
    case MenuCommand::Options:
        view_.ShowOptions();
        break;
    case MenuCommand::TestSound:
        testSound_.Play();
        break;
    case MenuCommand::KeepOnTop:
        KeepControllerOnTop();
        break;
    case MenuCommand::VolumeControl:
        OpenVolumeControl(services_.launcher, services_.messages, facts_.SystemFolder);
        break;
    case MenuCommand::AudioProperties:
        OpenAudioProperties(services_.launcher, services_.messages, facts_.SystemFolder);
        break;
    case MenuCommand::Website:
        view_.OpenMaximized(std::u16string(kMakersWebsite, kMakersWebsite + std::strlen(kMakersWebsite)));
        break;
    case MenuCommand::Exit:
        ExitProgram();
    case MenuCommand::None:
        break;
    }
}

void TrayApp::KeepControllerOnTop() {
    // Meant for a shown controller; one that is not loaded is loaded first and the setting applies to it.
    Controller* controller = controller_.Loaded();
    if (!controller) {
        // A controller shown here follows the volume as one shown from the tray does.
        controller = &controller_.ShowAfresh();
        if (controller_.Loaded() == controller) {
            controller->StartVolumeSync();
        }
    }
    keepOnTop_.checked = !keepOnTop_.checked;
    controller->SetTopmost(keepOnTop_.checked);
    services_.settings.SaveControllerState(keepOnTop_.checked ? ControllerState::OnTop : ControllerState::Shown);
}

void TrayApp::ExitProgram() {
    services_.settings.SaveControllerState(ControllerState::Closed);
    view_.RemoveTrayIcon();
    services_.process.EndProcess(CodeOf(ExitCode::Normal));
    std::abort(); // EndProcess never returns; this only tells the compiler so.
}

void TrayApp::DiscardFinishedControllers() {
    controller_.DiscardFinished();
}

} // namespace kob
