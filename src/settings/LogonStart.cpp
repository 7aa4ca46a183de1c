// The log-on start: the program's value in the machine's and the user's Run keys.
#include <string>

#include "common/OutsideNames.h"
#include "platform/ProgramFolder.h"
#include "settings/Settings.h"

namespace kob {

namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// A longer value is there, but does not count as the program's log-on start when the Options box looks.
constexpr std::size_t kRunValueLongestText = 254;
// Followed directly by the system's reason.
constexpr const char* kMsgLogonStartStays = "Drovo Volume Controller 3.0 will still start when Windows starts: "
                                            "its entry for all users of this computer could not be removed. ";

// Writes the executable's path as the Run value holds it: quoted, because an unquoted path with a blank makes
// Windows try "C:\Program.exe" first. Where the ANSI code page cannot spell the long path, the exact path goes in
// as UTF-16 (an 8.3 form would hide the program from the instance guard's comparison and from the user). When no
// form can be read there is nothing correct to store. True when the value was written.
bool WriteRunValue(RegistryKey& key, ModulePathService& modulePath) {
    if (const auto path = modulePath.ExactNarrowExecutablePath(PathForm::Long)) {
        const std::string quoted = "\"" + FolderOf(*path) + "\\" + BaseNameOf(*path) + ".exe\"";
        return !key.WriteText(kRunValueName, quoted);
    }
    const std::u16string wide = modulePath.WideExecutablePath();
    return !wide.empty() && !key.WriteWideText(kRunValueName, u"\"" + wide + u"\"");
}

TextValue ReadRunValue(RegistryKey& key) {
    return key.ReadText(kRunValueName, kRunValueLongestText);
}

} // namespace

// Looked at with the read access every user has.
bool Settings::MachineRunValueExists() {
    bool exists = false;
    WithKey(registry_, RegistryRoot::LocalMachine, kRunKey, RegistryAccess::Read,
            [&](RegistryKey& key) { exists = ReadRunValue(key).present; });
    return exists;
}

void Settings::DeleteUserRunValue() {
    WithKey(registry_, RegistryRoot::CurrentUser, kRunKey, RegistryAccess::Write,
            [&](RegistryKey& key) { key.DeleteValue(kRunValueName); });
}

void Settings::RegisterForEveryone() {
    bool machineValue = false;
    const auto notOpened = WithKey(registry_, RegistryRoot::LocalMachine, kRunKey, RegistryAccess::Write,
                                   [&](RegistryKey& key) { machineValue = WriteRunValue(key, modulePath_); });
    if (notOpened && notOpened->kind == RegistryFailure::Kind::AccessDenied) {
        // A value for everyone is left as it is: it starts the program at this user's log-on too.
        machineValue = MachineRunValueExists();
        if (!machineValue) {
            // A user without the right to start programs for everyone (any unelevated user since Windows
            // Vista) still starts the program at his own log-on.
            WithKey(registry_, RegistryRoot::CurrentUser, kRunKey, RegistryAccess::Write,
                    [&](RegistryKey& key) { WriteRunValue(key, modulePath_); });
        }
    }
    if (machineValue) {
        // One log-on entry: the user's own value beside the machine's would start a second copy.
        DeleteUserRunValue();
    }
}

void Settings::RegisterForThisUser() {
    WithKey(registry_, RegistryRoot::CurrentUser, kRunKey, RegistryAccess::Write,
            [&](RegistryKey& key) { WriteRunValue(key, modulePath_); });
}

void Settings::EnableLogonStart() {
    // A copy under one user's profile must never start for everyone who logs on.
    if (InstalledForUserAlone()) {
        RegisterForThisUser();
    } else {
        RegisterForEveryone();
    }
}

std::optional<Notice> Settings::DisableLogonStart() {
    // Why the machine-wide value is still there, if it is.
    std::optional<RegistryFailure> kept;
    const auto notOpened =
        WithKey(registry_, RegistryRoot::LocalMachine, kRunKey, RegistryAccess::Write, [&](RegistryKey& key) {
            const RegistryChange notDeleted = key.DeleteValue(kRunValueName);
            if (notDeleted && notDeleted->kind != RegistryFailure::Kind::NotFound) {
                kept = notDeleted;
            }
        });
    if (notOpened && notOpened->kind != RegistryFailure::Kind::NotFound && MachineRunValueExists()) {
        kept = notOpened;
    }
    DeleteUserRunValue();
    if (!kept) {
        return std::nullopt;
    }
    // The box is about to show the value as still there: the user learns why.
    return Notice{kMsgLogonStartStays + kept->reason, MessageIcon::Exclamation, std::nullopt};
}

bool Settings::StartsAtLogon() {
    LookForRunValue();
    return startsAtLogon_;
}

void Settings::LookForRunValue() {
    bool looked = false;
    bool found = false;
    // The machine-wide value first, then the one of a user who could not write it.
    for (const RegistryRoot root : {RegistryRoot::LocalMachine, RegistryRoot::CurrentUser}) {
        WithKey(registry_, root, kRunKey, RegistryAccess::Read, [&](RegistryKey& key) {
            looked = true;
            found = ReadRunValue(key).text.has_value();
        });
        if (found) {
            break;
        }
    }
    if (looked) {
        startsAtLogon_ = found;
    }
}

} // namespace kob
