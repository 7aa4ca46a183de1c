#include "settings/OptionsBox.h"

namespace kob {

void OptionsBox::Load() {
    const bool startsAtLogon = settings_.StartsAtLogon();
    SetRunAtLogonBox(startsAtLogon);
    if (startsAtLogon) {
        // Written again, so that the value starts this executable where it is now and stays the only entry.
        ApplyRunAtLogonBox();
    }
}

void OptionsBox::OnRunAtLogonBoxToggled() {
    SetRunAtLogonBox(!runAtLogonBox_);
    ApplyRunAtLogonBox();
}

void OptionsBox::SetRunAtLogonBox(bool ticked) {
    if (ticked != runAtLogonBox_) {
        runAtLogonBox_ = ticked;
        view_.SetRunAtLogonBox(ticked);
    }
}

void OptionsBox::ApplyRunAtLogonBox() {
    if (runAtLogonBox_) {
        settings_.EnableLogonStart();
    } else {
        if (const auto notice = settings_.DisableLogonStart()) {
            report_(*notice);
        }
    }
    // The box shows what the next log-on will do, also when the registry refused the change (a value for all
    // users that this user may not remove keeps it ticked).
    SetRunAtLogonBox(settings_.StartsAtLogon());
}

} // namespace kob
