// Starting a program for the user whose desktop this session shows, whatever rights the setup itself runs with.
#pragma once

#include <string>

namespace setup {

enum class StartedBy {
    DesktopShell, // the desktop's shell started it, as its user, with his own (unelevated) rights
    ThisProcess,  // this process started it: it runs unelevated as the desktop's user
    Nobody,       // neither could be done without the wrong user or an elevated token
};

enum class WhoMayRunIt {
    DesktopUser,        // whoever uses the desktop: a program installed for all users
    InstallingUserOnly, // only the user this process runs as: a program installed for him alone
};

// Starts `file` with `parameters` as the desktop's user, never with an elevated token of this process: through the
// desktop's shell where there is one, otherwise directly where this process runs unelevated as that user.
StartedBy StartForDesktopUser(const std::wstring& file, const std::wstring& parameters, WhoMayRunIt who);

} // namespace setup
