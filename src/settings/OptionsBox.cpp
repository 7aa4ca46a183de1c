#include "settings/OptionsBox.h"

#include "platform/ErrorGuard.h"

namespace kob {

void OptionsBox::Load() {
    const bool startsAtLogon = settings_.StartsAtLogon();
    IgnoreErrors([&] { SetRunAtLogonBox(startsAtLogon); });
}

void OptionsBox::SetRunAtLogonBox(bool ticked) {
    if (ticked == runAtLogonBox_) {
        return;
    }
    runAtLogonBox_ = ticked;
    view_.SetRunAtLogonBox(ticked);
    OnRunAtLogonBoxToggled();
}

void OptionsBox::OnRunAtLogonBoxToggled() {
    if (runAtLogonBox_) {
        settings_.EnableLogonStart();
    } else {
        settings_.DisableLogonStart();
    }
    // The box shows what the next log-on will do, also when the registry refused the change (a value for all
    // users that this user may not remove keeps it ticked). Showing it is no click: nothing is written again.
    const bool registered = settings_.StartsAtLogon();
    if (registered != runAtLogonBox_) {
        runAtLogonBox_ = registered;
        view_.SetRunAtLogonBox(registered);
    }
}

} // namespace kob
