// What the setup and the uninstaller need beyond the setup engine's own commands, called from their scripts as
//   SetupSupport::CloseProgram <folder, or "" for any> <"this" or "all" sessions> <milliseconds>
//       closes the program's running copies and waits for them; answers "none" (none ran), "closed",
//       "here" (a copy of this session still runs) or "elsewhere" (a copy runs in another user's session)
//   SetupSupport::StartForDesktopUser <file> <parameters> <"desktop" or "installing" user>
//       starts a program as the desktop's user, never elevated; answers "shell", "direct" or "none"
#include <windows.h>

#include <string>

#include "DesktopStart.h"
#include "RunningCopies.h"
#include "SetupStack.h"

SETUP_FUNCTION(CloseProgram) {
    setup::SetupStack stack(stringSize, top);
    const std::wstring folder = stack.Pop();
    const std::wstring sessions = stack.Pop();
    const std::wstring milliseconds = stack.Pop();
    // Whatever fails, the answer never lets the caller write over a copy that might be running.
    std::wstring answer = L"here";
    try {
        const setup::CopiesOutcome outcome = setup::CloseRunningCopies(
            folder, sessions == L"all" ? setup::SessionsWatched::All : setup::SessionsWatched::ThisOne,
            static_cast<unsigned>(std::wcstoul(milliseconds.c_str(), nullptr, 10)));
        switch (outcome) {
        case setup::CopiesOutcome::NoneRan:
            answer = L"none";
            break;
        case setup::CopiesOutcome::Closed:
            answer = L"closed";
            break;
        case setup::CopiesOutcome::StillHere:
            answer = L"here";
            break;
        case setup::CopiesOutcome::StillElsewhere:
            answer = L"elsewhere";
            break;
        }
    } catch (...) {
    }
    stack.Push(answer);
}

SETUP_FUNCTION(StartForDesktopUser) {
    setup::SetupStack stack(stringSize, top);
    const std::wstring file = stack.Pop();
    const std::wstring parameters = stack.Pop();
    const std::wstring who = stack.Pop();
    std::wstring answer = L"none";
    try {
        switch (setup::StartForDesktopUser(file, parameters,
                                           who == L"desktop" ? setup::WhoMayRunIt::DesktopUser
                                                             : setup::WhoMayRunIt::InstallingUserOnly)) {
        case setup::StartedBy::DesktopShell:
            answer = L"shell";
            break;
        case setup::StartedBy::ThisProcess:
            answer = L"direct";
            break;
        case setup::StartedBy::Nobody:
            break;
        }
    } catch (...) {
    }
    stack.Push(answer);
}
