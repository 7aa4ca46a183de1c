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

// Whether a policy forbids the command processor to run commands (DisableCMD 1; 2 forbids only its prompt).
bool CommandProcessorForbidden() {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        HKEY key = nullptr;
        DWORD value = 0;
        DWORD size = sizeof(value);
        DWORD type = 0;
        if (RegOpenKeyExW(root, L"Software\\Policies\\Microsoft\\Windows\\System", 0, KEY_QUERY_VALUE, &key) ==
            ERROR_SUCCESS) {
            const bool forbidden = RegQueryValueExW(key, L"DisableCMD", nullptr, &type, reinterpret_cast<BYTE*>(&value),
                                                    &size) == ERROR_SUCCESS &&
                                   type == REG_DWORD && value == 1;
            RegCloseKey(key);
            if (forbidden) {
                return true;
            }
        }
    }
    return false;
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
    // names only what the setup made there (the folder, the copy, relative to it, where only this user can have made
    // them) and `parameters`, so that no character of the temporary folder's path is ever read as a command; the copy
    // works there too ("start /d" would look for it in the folder it names). /d: no command the registry names runs
    // first. Where a policy forbids it, the copy runs by itself and its folder stays for the next setup or uninstaller.
    const bool direct = CommandProcessorForbidden();
    const std::wstring name = folder.substr(temporary.size() + 1);
    std::wstring commandLine = direct ? L"\"" + copy + L"\" " + parameters
                                      : L"\"" + processor + L"\" /d /q /c start /wait " + name + L"\\" +
                                            kRemovalHelperFile + L" " + parameters + L" & rd /s /q " + name;
    const std::wstring workingFolder = direct ? folder : temporary + L"\\";
    HANDLE lock = OpenMutexW(SYNCHRONIZE, FALSE, lockName.c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process{};
    bool started =
        lock && CreateProcessW(direct ? copy.c_str() : processor.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                               CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, workingFolder.c_str(), &startup, &process);
    // The command processor (or the copy) holds the lock until it ends, when the system closes its handle: after the
    // folder is gone.
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
