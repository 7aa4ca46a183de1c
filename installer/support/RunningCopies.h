// The program's running copies as the setup and the uninstaller find them: by the program's own named objects, in
// this session and in the other sessions the system lets them look into.
#pragma once

#include <string>

namespace setup {

enum class CopiesOutcome {
    NoneRan,            // no copy was running
    Closed,             // the copies of this session were asked to close and have ended
    StillHere,          // a copy of this session is still running (or still starting)
    StillElsewhere,     // a copy runs in another user's session
    ClosedButElsewhere, // the copies of this session have ended, and a copy runs in another user's session
};

enum class SessionsWatched { ThisOne, All };

// Asks every copy of the program in this session whose executable lies in `folder` (any folder when it is empty) to
// close, as Windows does at log-off, and waits until they have ended and no copy is still starting, and with
// SessionsWatched::All until no copy runs in another session either. A process running the program's file or its
// new users' helper there counts as a copy still starting. Gives up after timeoutMs.
CopiesOutcome CloseRunningCopies(const std::wstring& folder, SessionsWatched sessions, unsigned timeoutMs);

} // namespace setup
