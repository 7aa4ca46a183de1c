// What the setup and the uninstaller need beyond the setup engine's own commands, called from their scripts as
//   SetupSupport::CloseProgram <folder, or "" for any> <"this" or "all" sessions> <milliseconds>
//       closes the program's running copies and waits for them; answers "none" (none ran), "closed",
//       "here" (a copy of this session still runs), "elsewhere" (a copy runs in another user's session) or
//       "closedelsewhere" (this session's copies closed, one runs in another user's session)
//   SetupSupport::StartForDesktopUser <file> <parameters> <"desktop" or "installing" user>
//       starts a program as the desktop's user, never elevated; answers "shell", "direct" or "none"
//   SetupSupport::LockFolder <folder>
//       gives the folder an access list that lets only administrators and the system change it; "locked", or "open"
//       when someone else may still change it or move it away
//   SetupSupport::FindNameFault <path>
//       "device" (a name in it is a device's), "control" (it holds a control character) or "none"
//   SetupSupport::StartRemovalHelper <program> <parameters> <lock's name>
//       runs a copy of the program from a private folder through the system's command processor, which holds the
//       lock until the copy has ended and the folder is gone; "started" or "none"
#include <windows.h>

#include <cstdlib>
#include <string>

#include "AccessRules.h"
#include "DesktopStart.h"
#include "FolderNames.h"
#include "RemovalHelper.h"
#include "RunningCopies.h"
#include "SetupStack.h"

namespace {

// The answers, in the order of the outcomes.
constexpr const wchar_t* kCopiesAnswers[] = {L"none", L"closed", L"here", L"elsewhere", L"closedelsewhere"};
constexpr const wchar_t* kStartAnswers[] = {L"shell", L"direct", L"none"};
constexpr const wchar_t* kNameAnswers[] = {L"none", L"device", L"control"};

// Pushes the call's answer; whatever fails inside it, the caller gets the answer given for a failure.
template <typename Call> void Answer(setup::SetupStack& stack, const wchar_t* onFailure, Call call) {
    std::wstring answer = onFailure;
    try {
        answer = call();
    } catch (...) {
    }
    stack.Push(answer);
}

} // namespace

SETUP_FUNCTION(CloseProgram) {
    setup::SetupStack stack(stringSize, top);
    const std::wstring folder = stack.Pop();
    const setup::SessionsWatched sessions =
        stack.Pop() == L"all" ? setup::SessionsWatched::All : setup::SessionsWatched::ThisOne;
    const unsigned milliseconds = static_cast<unsigned>(std::wcstoul(stack.Pop().c_str(), nullptr, 10));
    // A failure never lets the caller write over a copy that might be running.
    Answer(stack, L"here",
           [&] { return kCopiesAnswers[static_cast<int>(setup::CloseRunningCopies(folder, sessions, milliseconds))]; });
}

SETUP_FUNCTION(StartForDesktopUser) {
    setup::SetupStack stack(stringSize, top);
    const std::wstring file = stack.Pop();
    const std::wstring parameters = stack.Pop();
    const setup::WhoMayRunIt who =
        stack.Pop() == L"desktop" ? setup::WhoMayRunIt::DesktopUser : setup::WhoMayRunIt::InstallingUserOnly;
    Answer(stack, L"none",
           [&] { return kStartAnswers[static_cast<int>(setup::StartForDesktopUser(file, parameters, who))]; });
}

SETUP_FUNCTION(LockFolder) {
    setup::SetupStack stack(stringSize, top);
    const std::wstring folder = stack.Pop();
    Answer(stack, L"open", [&] {
        return setup::LockFolderToAdministrators(folder) && !setup::OthersMayMoveAway(folder) ? L"locked" : L"open";
    });
}

SETUP_FUNCTION(StartRemovalHelper) {
    setup::SetupStack stack(stringSize, top);
    const std::wstring program = stack.Pop();
    const std::wstring parameters = stack.Pop();
    const std::wstring lock = stack.Pop();
    Answer(stack, L"none", [&] { return setup::StartRemovalHelper(program, parameters, lock) ? L"started" : L"none"; });
}

SETUP_FUNCTION(FindNameFault) {
    setup::SetupStack stack(stringSize, top);
    const std::wstring path = stack.Pop();
    Answer(stack, L"device", [&] { return kNameAnswers[static_cast<int>(setup::FindNameFault(path))]; });
}
