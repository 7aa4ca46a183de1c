#include "settings/OptionsBox.h"

#include "platform/ErrorGuard.h"
#include "settings/RegistrySettings.h"

namespace kob {

void OptionsBox::Load() {
    IgnoreErrors([&] { GetRunEntry(registry_, messages_, RunEntryVal_); });
    IgnoreErrors([&] { SetRunAtLogonBox(RunEntryVal_ == 1 ? 1 : 0); });
}

void OptionsBox::SetRunAtLogonBox(int value) {
    if (value == runAtLogonBox_) {
        return;
    }
    runAtLogonBox_ = value;
    view_.SetRunAtLogonBox(value == 1);
    OnRunAtLogonBoxToggled();
}

void OptionsBox::OnRunAtLogonBoxToggled() {
    if (runAtLogonBox_ == 1) {
        AddRunEntryInScope(registry_, messages_, modulePath_);
    } else if (runAtLogonBox_ == 0) {
        RemoveRunEntry(registry_, messages_);
    } else {
        return; // the grey third state asks for nothing
    }
    // The box shows what the next log-on will do, also when the registry refused the change (a value for all
    // users that this user may not remove keeps it ticked). Showing it is no click: nothing is written again.
    IgnoreErrors([&] { GetRunEntry(registry_, messages_, RunEntryVal_); });
    const int registered = RunEntryVal_ == 1 ? 1 : 0;
    if (registered != runAtLogonBox_) {
        runAtLogonBox_ = registered;
        view_.SetRunAtLogonBox(registered == 1);
    }
}

} // namespace kob
