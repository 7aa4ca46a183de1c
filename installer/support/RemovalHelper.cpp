#include "RemovalHelper.h"

#include <windows.h>

#include "AccessRules.h"

namespace setup {

namespace {

std::wstring TemporaryFolder() {
    wchar_t folder[MAX_PATH + 1] = {};
    DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) {
        return {};
    }
    if (folder[length - 1] == L'\\') {
        --length;
    }
    return std::wstring(folder, length);
}

std::wstring CommandProcessor() {
    wchar_t folder[MAX_PATH + 1] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH + 1);
    return length == 0 || length > MAX_PATH ? std::wstring() : std::wstring(folder, length) + L"\\cmd.exe";
}

// What the command processor would read as anything but a word.
bool IsPlainText(const std::wstring& text) {
    return text.find_first_of(L"&|<>^()%!\"\r\n") == std::wstring::npos;
}

} // namespace

bool StartRemovalHelper(const std::wstring& program, const std::wstring& parameters, const std::wstring& lockName) {
    const std::wstring processor = CommandProcessor();
    const std::wstring temporary = TemporaryFolder();
    const std::wstring folder = temporary.empty() ? temporary : MakePrivateFolder(temporary);
    if (folder.empty() || processor.empty() || !IsPlainText(parameters)) {
        return false;
    }
    const std::wstring copy = folder + L"\\" + kRemovalHelperFile;
    if (!CopyFileW(program.c_str(), copy.c_str(), TRUE)) {
        RemoveDirectoryW(folder.c_str());
        return false;
    }
    // The copy's own file stays open while it runs (the setup engine reads its data from it, without letting anyone
    // delete it), so the system's command processor runs it and removes its folder once it has ended. It works in
    // the temporary folder (a folder that was a process's first working folder cannot be removed under Wine) and
    // names only what the setup made there (the folder, the copy) and `parameters`, so that no character of the
    // temporary folder's path is ever read as a command; the copy works in its own folder. /d: no command the
    // registry names runs first.
    const std::wstring name = folder.substr(temporary.size() + 1);
    std::wstring commandLine = L"\"" + processor + L"\" /d /q /c start /wait /d " + name + L" " + name + L"\\" +
                               kRemovalHelperFile + L" " + parameters + L" & rd /s /q " + name;
    HANDLE lock = OpenMutexW(SYNCHRONIZE, FALSE, lockName.c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process{};
    bool started = lock && CreateProcessW(processor.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                          CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, (temporary + L"\\").c_str(),
                                          &startup, &process);
    // The command processor holds the lock until it ends, when the system closes its handle: after the folder is
    // gone.
    HANDLE theirs = nullptr;
    if (started &&
        !DuplicateHandle(GetCurrentProcess(), lock, process.hProcess, &theirs, 0, FALSE, DUPLICATE_SAME_ACCESS)) {
        TerminateProcess(process.hProcess, 1);
        started = false;
    }
    if (started) {
        ResumeThread(process.hThread);
    }
    if (process.hProcess) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    if (lock) {
        CloseHandle(lock);
    }
    if (!started) {
        DeleteFileW(copy.c_str());
        RemoveDirectoryW(folder.c_str());
    }
    return started;
}

} // namespace setup
