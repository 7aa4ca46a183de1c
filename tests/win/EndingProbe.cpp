// A program that runs into a fatal failure at every tick of a fast timer, as the mute monitor and the volume sync
// do when the mixer goes away, and at every command or tray report too: the ending's box must be the only one,
// however many ticks, clicks and commands arrive while it is open.
#include <windows.h>

#include "platform/Notice.h"
#include "platform/win32/TimerSet.h"
#include "platform/win32/Win32MessageBox.h"
#include "platform/win32/Win32Process.h"
#include "platform/win32/WindowBase.h"

namespace {

constexpr UINT_PTR kTimer = 1;
// The message the tray icon's reports arrive as.
constexpr UINT kTrayReport = WM_LBUTTONDOWN;

class FailingTicks : public kob::WindowBase {
public:
    [[nodiscard]] bool Open() {
        kob::WindowPlan plan;
        plan.instance = GetModuleHandleA(nullptr);
        plan.className = "KobEndingProbe";
        if (!Create(plan)) {
            return false;
        }
        timers_.Enable(Handle(), kTimer, true);
        return true;
    }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TIMER || message == WM_COMMAND || message == kTrayReport) {
            kob::Report(messages_, process_,
                        {"Error! Unable to get Mixer Control Details.", kob::MessageIcon::Exclamation,
                         kob::CodeOf(kob::ExitCode::MuteUnreadable)});
        }
        return Default(message, wParam, lParam);
    }

private:
    kob::Win32MessageBox messages_;
    kob::Win32Process process_;
    kob::TimerSet timers_{{kTimer, 1}};
};

} // namespace

int main() {
    FailingTicks window;
    if (!window.Open()) {
        return 2;
    }
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
    return 3;
}
