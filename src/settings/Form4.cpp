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
        AddRunEntry(registry_, messages_, modulePath_);
    }
    if (ChkStp_ == 0) {
        RemoveRunEntry(registry_, messages_);
    }
}

} // namespace kob
