#include "settings/Form4.h"

#include "platform/ErrorGuard.h"
#include "settings/RegistrySettings.h"

namespace kob {

void Form4::Form_Load() {
    IgnoreErrors([&] { GetRunEntry(registry_, messages_, RunEntryVal_); });
    IgnoreErrors([&] { SetChkStp(RunEntryVal_ == 1 ? 1 : 0); });
}

void Form4::SetChkStp(int value) {
    if (value == ChkStp_) {
        return;
    }
    ChkStp_ = value;
    view_.SetChkStp(value == 1);
    ChkStp_Click();
}

void Form4::ChkStp_Click() {
    if (ChkStp_ == 1) {
        AddRunEntryInScope(registry_, messages_, modulePath_);
    } else if (ChkStp_ == 0) {
        RemoveRunEntry(registry_, messages_);
    } else {
        return; // the grey third state asks for nothing
    }
    // The box shows what the next log-on will do, also when the registry refused the change (a value for all
    // users that this user may not remove keeps it ticked). Showing it is no click: nothing is written again.
    IgnoreErrors([&] { GetRunEntry(registry_, messages_, RunEntryVal_); });
    const int registered = RunEntryVal_ == 1 ? 1 : 0;
    if (registered != ChkStp_) {
        ChkStp_ = registered;
        view_.SetChkStp(registered == 1);
    }
}

} // namespace kob
