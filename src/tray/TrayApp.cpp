#include "tray/TrayApp.h"

#include <cstring>
#include <utility>

#include "common/MakersWebsite.h"
#include "platform/ExitCode.h"
#include "platform/ProgramFolder.h"
#include "platform/SystemTools.h"

namespace kob {

namespace {

constexpr const char* kHelpFile = "KOBHELP.HTM";

} // namespace

TrayApp::TrayApp(TrayView& view, const TrayAppServices& services, MasterVolume::DeviceChoice chooseVolumeDevice,
                 SoundDevice& soundDevice, const ControllerServices& controllerServices,
                 ControllerWindowMaker makeControllerWindow)
    : view_(view), services_(services), volume_(std::move(chooseVolumeDevice)),
      testSound_(
          soundDevice, [this](const Notice& notice) { Report(notice); }, services.modulePath),
      controller_(std::move(makeControllerWindow), controllerServices, volume_, facts_, {},
                  [this](const Notice& notice) { Report(notice); }),
      muteMonitor_(volume_, controller_, view) {}

TrayApp::~TrayApp() {
    controller_.Hide();
    controller_.FreeHidden();
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
        if (const auto failure = ShowController()) {
            OnVolumeFailure(*failure);
        }
        break;
    case TrayIconEvent::MiddleButtonUp:
        if (const auto failure = SwitchMute()) {
            OnVolumeFailure(*failure);
        }
        break;
    case TrayIconEvent::Other:
        break;
    }
}

void TrayApp::OnTrayIconWheel(int travel) {
    if (const int notches = trayIconWheel_.Add(travel); notches != 0) {
        if (const auto failure = StepVolume(notches)) {
            OnVolumeFailure(*failure);
        }
    }
}

std::optional<VolumeFailure> TrayApp::StepVolume(int notches) {
    const VolumeResult<int> percent = volume_.Volume();
    if (const auto failure = percent.Failure()) {
        return failure;
    }
    return volume_.SetVolume(percent.Value() + notches * WheelNotches::kPercentPerNotch);
}

std::optional<VolumeFailure> TrayApp::SwitchMute() {
    const VolumeResult<bool> muted = volume_.Muted();
    if (const auto failure = muted.Failure()) {
        return failure;
    }
    if (const auto failure = volume_.SetMuted(!muted.Value())) {
        return failure;
    }
    muteMonitor_.Show(!muted.Value());
    return std::nullopt;
}

std::optional<VolumeFailure> TrayApp::ShowController() {
    controller_.Hide();
    const VolumeResult<Controller*> shown = controller_.Show();
    if (const auto failure = shown.Failure()) {
        return failure;
    }
    controller_.BringLoadedToForeground();
    keepOnTop_.enabled = true;
    if (controller_.Loaded() == shown.Value()) {
        shown.Value()->StartVolumeSync();
    }
    services_.settings.SaveControllerState(ControllerState::Shown);
    return std::nullopt;
}

void TrayApp::OnMuteMonitorTick() {
    if (const auto failure = muteMonitor_.OnTick()) {
        OnVolumeFailure(*failure);
    }
}

void TrayApp::OnVolumeFailure(VolumeFailure failure) {
    Report(EndingOf(failure));
}

void TrayApp::Report(const Notice& notice) {
    kob::Report(services_.messages, services_.process, notice);
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
        if (const auto failure = KeepControllerOnTop()) {
            OnVolumeFailure(*failure);
        }
        break;
    case MenuCommand::VolumeControl:
        if (const auto notice = OpenVolumeControl(services_.launcher, facts_.systemFolder)) {
            Report(*notice);
        }
        break;
    case MenuCommand::AudioProperties:
        if (const auto notice = OpenAudioProperties(services_.launcher, facts_.systemFolder)) {
            Report(*notice);
        }
        break;
    case MenuCommand::Website:
        view_.OpenMaximized(std::u16string(kMakersWebsite, kMakersWebsite + std::strlen(kMakersWebsite)));
        break;
    case MenuCommand::Exit:
        ExitProgram();
        break;
    case MenuCommand::None:
        break;
    }
}

std::optional<VolumeFailure> TrayApp::KeepControllerOnTop() {
    // Meant for a shown controller; one that is not loaded is loaded first and the setting applies to it.
    Controller* controller = controller_.Loaded();
    if (!controller) {
        const VolumeResult<Controller*> shown = controller_.Show();
        if (const auto failure = shown.Failure()) {
            return failure;
        }
        controller = shown.Value();
        // A controller shown here follows the volume as one shown from the tray does.
        if (controller_.Loaded() == controller) {
            controller->StartVolumeSync();
        }
    }
    keepOnTop_.checked = !keepOnTop_.checked;
    controller->SetTopmost(keepOnTop_.checked);
    services_.settings.SaveControllerState(keepOnTop_.checked ? ControllerState::OnTop : ControllerState::Shown);
    return std::nullopt;
}

void TrayApp::ExitProgram() {
    services_.settings.SaveControllerState(ControllerState::Closed);
    view_.RemoveTrayIcon();
    services_.process.EndProcess(CodeOf(ExitCode::Normal));
}

} // namespace kob
