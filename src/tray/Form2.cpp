#include "tray/Form2.h"

#include "common/TextNumber.h"
#include "platform/ErrorGuard.h"
#include "platform/FatalError.h"
#include "platform/SystemChecks.h"
#include "settings/RegistrySettings.h"

namespace kob {

namespace {

constexpr const char* kMsgNoCompanionWindow = "Unable to create the program's window.";

} // namespace

Form2::Form2(Form2View& view, const Form2Services& services, MixerService& mixerDevice, Form1Factory& controllers)
    : view_(view), services_(services), mixer_(mixerDevice, services.messages, services.process),
      controller_(controllers, *this, mixer_, facts_) {}

Form2::~Form2() {
    controller_.Unload();
    controller_.DiscardFinished();
}

void Form2::Form_Initialize() {
    facts_.OwnProcessId = services_.systemInfo.GetCurrentProcessId();
    view_.InitCommonControls();
    if (!view_.Create()) {
        EndWithMessage(services_.messages, services_.process, kMsgNoCompanionWindow, kMbIconError);
    }
    Form_Load();
    view_.AddTrayIcon();
}

void Form2::Form_Load() {
    // A failure inside one step is ignored and the next step runs; the endings built into the routines (the
    // installation error, an unsupported system, a second copy, a mixer failure) end the program.
    IgnoreErrors([&] { view_.HideFromTaskList(); });
    IgnoreErrors([&] { CreateInstanceMutex(services_.systemInfo); });
    std::uint32_t CstpVal = 0;
    IgnoreErrors([&] { GetCstpVal(services_.registry, services_.messages, services_.process, CstpVal); });
    IgnoreErrors(
        [&] { DoFirstStartWork(services_.registry, services_.messages, services_.modulePath, CstpVal); });
    IgnoreErrors([&] { GetOSPlatform(services_.systemInfo, facts_.OSPlatform); });
    IgnoreErrors([&] { RefuseUnsupportedPlatform(services_.messages, services_.process, facts_.OSPlatform); });
    IgnoreErrors([&] { GetSystemDir(services_.systemInfo, facts_.SystemDir); });
    IgnoreErrors([&] {
        ListProcessIds(services_.processList, services_.messages, List1_);
        CheckPrevInstance(services_.processList, services_.modulePath, services_.process, facts_.OwnProcessId,
                          List1_);
    });
    IgnoreErrors([&] { mixer_.GetMuteComponents(); });
    IgnoreErrors([&] { view_.EnableMuteMonitor(true); });
    IgnoreErrors([&] { txtform1signal_ = "0"; });
    // Loading the controller once finds the mixer's device name for the About window before anyone opens it.
    IgnoreErrors([&] { controller_.ShowAfresh(); });
    IgnoreErrors([&] { controller_.Unload(); });
}

void Form2::Form_Unload() {
    SetOnTopStatClosed(services_.registry, services_.messages);
}

void Form2::ShowController() {
    controller_.Unload();
    Form1& form = controller_.ShowAfresh();
    controller_.BringLoadedToForeground();
    if (controller_.Loaded()) {
        form.StartVolumeSync();
    }
    SetOnTopStatNormal(services_.registry, services_.messages);
}

void Form2::tmrmute_Timer() {
    GetMuteVal();
    const double value = TextAsNumber(TxtMuteVal_);
    Form1* controller = TextAsNumber(txtform1signal_) == 1 ? controller_.Loaded() : nullptr;
    if (value == 0) {
        if (controller) {
            controller->SetMuteBox(0);
        }
        SetTrayIconNormal();
    } else if (value == 1) {
        if (controller) {
            controller->SetMuteBox(1);
        }
        SetTrayIconMuted();
    }
}

void Form2::GetMuteVal() {
    MuteValue_ = mixer_.ReadMuteControl();
    TxtMuteVal_ = std::to_string(MuteValue_);
}

void Form2::SetTrayIconNormal() {
    view_.ShowTrayPicture(TrayPicture::Normal);
}

void Form2::SetTrayIconMuted() {
    view_.ShowTrayPicture(TrayPicture::Muted);
}

void Form2::DiscardFinishedControllers() {
    controller_.DiscardFinished();
}

void Form2::SetForm1Signal(bool loaded) {
    txtform1signal_ = loaded ? "1" : "0";
    if (!loaded) {
        // The controller may be going from inside its own handler: it is freed once that handler is over.
        view_.DiscardControllersLater();
    }
}

} // namespace kob
