#include "RunningCopies.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "common/OutsideNames.h"
#include "platform/win32/DynamicCalls.h"

namespace setup {

namespace {

// A name the program uses, in UTF-16 for the wide calls; the names are plain ASCII.
template <std::size_t N> struct WideName {
    wchar_t text[N] = {};
    constexpr explicit WideName(const char (&narrow)[N]) {
        for (std::size_t i = 0; i < N; ++i) {
            text[i] = static_cast<wchar_t>(narrow[i]);
        }
    }
};

constexpr WideName kInstanceMutexWide(kob::kInstanceMutexName);
constexpr const wchar_t* kInstanceMutex = kInstanceMutexWide.text;
constexpr WideName kCompanionClassWide(kob::kCompanionWindowClass);
constexpr const wchar_t* kTrayWindowClass = kCompanionClassWide.text;
constexpr const wchar_t* kProgramFile = L"kob3.0.exe";
constexpr const wchar_t* kUserHelperFile = L"kobuser.exe";
constexpr DWORD kPollMs = 100;
constexpr DWORD kPathCharacters = 32768;

bool NamedMutexExists(const std::wstring& name) {
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, name.c_str());
    if (mutex) {
        CloseHandle(mutex);
        return true;
    }
    // Another user's copy may deny us access to its mutex: it is there all the same.
    return GetLastError() == ERROR_ACCESS_DENIED;
}

// Windows 2000 without Terminal Services has one session, number 0.
DWORD OwnSession() {
    const auto toSession = kob::dynamic::Kernel().processIdToSessionId;
    DWORD session = 0;
    return toSession && toSession(GetCurrentProcessId(), &session) ? session : 0;
}

// Session 0's objects are the global ones; every other session's are reached through their link under "Session\"
// (Windows Vista and later). The system lists its sessions where Terminal Services run.
bool RunsInAnotherSession() {
    const DWORD own = OwnSession();
    if (own != 0 && NamedMutexExists(std::wstring(L"Global\\") + kInstanceMutex)) {
        return true;
    }
    const auto enumerate = kob::dynamic::Wts().enumerateSessionsW;
    const auto release = kob::dynamic::Wts().freeMemory;
    bool found = false;
    PWTS_SESSION_INFOW sessions = nullptr;
    DWORD count = 0;
    if (enumerate && release && enumerate(WTS_CURRENT_SERVER_HANDLE, 0, 1, &sessions, &count)) {
        for (DWORD i = 0; i < count && !found; ++i) {
            const DWORD id = sessions[i].SessionId;
            found =
                id != own && id != 0 && NamedMutexExists(L"Session\\" + std::to_wstring(id) + L"\\" + kInstanceMutex);
        }
        release(sessions);
    }
    return found;
}

std::wstring LongForm(const std::wstring& path) {
    std::vector<wchar_t> expanded(kPathCharacters, L'\0');
    const DWORD length = GetLongPathNameW(path.c_str(), expanded.data(), kPathCharacters);
    return length > 0 && length < kPathCharacters ? std::wstring(expanded.data(), length) : path;
}

// The folder of the executable a process runs and its file's name; empty when the system does not tell.
struct Executable {
    std::wstring folder;
    std::wstring name;
};

Executable ExecutableOf(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (!process) {
        return {};
    }
    const auto fileNameOf = kob::dynamic::Psapi().getModuleFileNameExW;
    std::vector<wchar_t> path(kPathCharacters, L'\0');
    const DWORD length = fileNameOf ? fileNameOf(process, nullptr, path.data(), kPathCharacters) : 0;
    CloseHandle(process);
    const std::wstring file(path.data(), length < kPathCharacters ? length : 0);
    const std::size_t slash = file.rfind(L'\\');
    if (slash == std::wstring::npos) {
        return {};
    }
    return {LongForm(file.substr(0, slash)), file.substr(slash + 1)};
}

std::wstring ExecutableFolder(DWORD processId) {
    return ExecutableOf(processId).folder;
}

// A process of this session or another that runs one of the program's own executables (from `folder`, or from any
// folder when it is empty), window or not: a copy still starting, or the new users' helper that starts it. Their
// files cannot be replaced while they run.
bool ProgramFileRuns(const std::wstring& folder) {
    const auto enumerate = kob::dynamic::Psapi().enumProcesses;
    std::vector<DWORD> processes(4096);
    DWORD bytes = 0;
    if (!enumerate || !enumerate(processes.data(), static_cast<DWORD>(processes.size() * sizeof(DWORD)), &bytes)) {
        return false;
    }
    processes.resize(bytes / sizeof(DWORD));
    return std::any_of(processes.begin(), processes.end(), [&folder](DWORD processId) {
        if (processId == GetCurrentProcessId()) {
            return false;
        }
        const Executable executable = ExecutableOf(processId);
        const bool ours = lstrcmpiW(executable.name.c_str(), kProgramFile) == 0 ||
                          lstrcmpiW(executable.name.c_str(), kUserHelperFile) == 0;
        return ours && (folder.empty() || lstrcmpiW(executable.folder.c_str(), folder.c_str()) == 0);
    });
}

struct Copy {
    HWND window;
    DWORD processId;
};

struct Search {
    std::wstring folder;
    std::vector<Copy> matching{};
    int windows = 0;
};

BOOL CALLBACK CollectCopy(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (lstrcmpW(name, kTrayWindowClass) != 0) {
        return TRUE;
    }
    ++search->windows;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const std::wstring running = search->folder.empty() ? std::wstring() : ExecutableFolder(processId);
    // A copy whose folder cannot be read is taken for one of ours: closing it is the safer mistake.
    if (search->folder.empty() || running.empty() || lstrcmpiW(running.c_str(), search->folder.c_str()) == 0) {
        search->matching.push_back({window, processId});
    }
    return TRUE;
}

bool AnyStillRunning(const std::vector<HANDLE>& processes) {
    return std::any_of(processes.begin(), processes.end(),
                       [](HANDLE process) { return WaitForSingleObject(process, 0) == WAIT_TIMEOUT; });
}

} // namespace

CopiesOutcome CloseRunningCopies(const std::wstring& folder, SessionsWatched sessions, unsigned timeoutMs) {
    const std::wstring longFolder = folder.empty() ? folder : LongForm(folder);
    std::vector<HWND> asked;
    std::vector<HANDLE> ending;
    const DWORD start = GetTickCount();
    CopiesOutcome outcome = CopiesOutcome::NoneRan;
    for (;;) {
        Search search{longFolder};
        EnumWindows(CollectCopy, reinterpret_cast<LPARAM>(&search));
        for (const Copy& copy : search.matching) {
            if (std::find(asked.begin(), asked.end(), copy.window) != asked.end()) {
                continue;
            }
            asked.push_back(copy.window);
            if (HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, copy.processId)) {
                ending.push_back(process);
            }
            PostMessageW(copy.window, WM_CLOSE, 0, 0);
        }
        // A copy that has made its mutex but not yet its window is still starting (or its process is ending), as is
        // one whose process runs but has made neither.
        const bool starting = (search.windows == 0 && NamedMutexExists(kInstanceMutex)) || ProgramFileRuns(longFolder);
        const bool here = !search.matching.empty() || AnyStillRunning(ending) || starting;
        const bool elsewhere = sessions == SessionsWatched::All && RunsInAnotherSession();
        if (!here && !elsewhere) {
            outcome = asked.empty() ? CopiesOutcome::NoneRan : CopiesOutcome::Closed;
            break;
        }
        if (GetTickCount() - start >= timeoutMs) {
            outcome = here            ? CopiesOutcome::StillHere
                      : asked.empty() ? CopiesOutcome::StillElsewhere
                                      : CopiesOutcome::ClosedButElsewhere;
            break;
        }
        Sleep(kPollMs);
    }
    for (HANDLE process : ending) {
        CloseHandle(process);
    }
    return outcome;
}

} // namespace setup
