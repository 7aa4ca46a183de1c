#pragma once

#include <optional>

#include "platform/ModulePathService.h"
#include "platform/Notice.h"
#include "settings/ControllerState.h"
#include "settings/RegistryService.h"

namespace kob {

// The program's settings in the registry: its own key under the user's profile (the controller's state, the
// first-start flag, the installation's scope) and its log-on start in the Run keys.
//
// Each operation opens its key, performs one value operation, closes the key whatever happened and returns. None
// creates a key.
class Settings {
public:
    Settings(RegistryService& registry, ModulePathService& modulePath) : registry_(registry), modulePath_(modulePath) {}

    // The stored controller state; none when the key or the value cannot be read or holds no known state.
    std::optional<ControllerState> LoadControllerState();
    void SaveControllerState(ControllerState state);

    // Whether this is the first start after an installation; none when the program key or its flag is missing (the
    // installation is broken).
    std::optional<bool> IsFirstStart();
    // Registers the log-on start in the installation's scope, clears the first-start flag and leaves the
    // controller recorded as closed (by way of shown).
    void DoFirstStartWork();
    // Whether the setup recorded that this copy was installed for the current user alone.
    bool InstalledForUserAlone();

    // Registers the running executable, its path in double quotes, to start at log-on: for a copy installed for
    // the user alone in his own Run key; otherwise in the machine's, or, only when the user may not write there
    // and no machine-wide value exists, in his own. A machine-wide value the user may not write is left as it is.
    // Wherever a machine-wide value stays, the user's own goes, so the program has one log-on entry.
    void EnableLogonStart();
    // Deletes the log-on value from both Run keys; an absent value is no error. A machine-wide value that stays
    // (the user may not remove it) is returned as a notice with the system's reason: the program still starts at
    // log-on.
    [[nodiscard]] std::optional<Notice> DisableLogonStart();
    // Whether the program starts at the next log-on: the value exists in either Run key and fits 255 bytes. When
    // neither Run key can be opened, the answer found the last time.
    bool StartsAtLogon();

private:
    void RegisterForEveryone();
    void RegisterForThisUser();
    bool MachineRunValueExists();
    void DeleteUserRunValue();
    void LookForRunValue();

    RegistryService& registry_;
    ModulePathService& modulePath_;
    bool startsAtLogon_ = false;
};

} // namespace kob
