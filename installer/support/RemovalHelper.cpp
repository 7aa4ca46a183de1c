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

} // namespace

bool StartRemovalHelper(const std::wstring& program, const std::wstring& parameters, const std::wstring& lockName) {
    const std::wstring temporary = TemporaryFolder();
    const std::wstring folder = temporary.empty() ? temporary : MakePrivateFolder(temporary);
    if (folder.empty()) {
        return false;
    }
    const std::size_t slash = program.rfind(L'\\');
    const std::wstring copy = folder + L"\\" + program.substr(slash == std::wstring::npos ? 0 : slash + 1);
    if (!CopyFileW(program.c_str(), copy.c_str(), TRUE)) {
        RemoveDirectoryW(folder.c_str());
        return false;
    }
    // The setup engine opens its own file without letting anyone delete it meanwhile: the copy's file stays, and the
    // next setup or uninstaller removes it with its folder.
    HANDLE lock = OpenMutexW(SYNCHRONIZE, FALSE, lockName.c_str());
    std::wstring commandLine = L"\"" + copy + L"\" " + parameters;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    bool started = lock && CreateProcessW(copy.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                                          nullptr, folder.c_str(), &startup, &process);
    // The copy holds the lock until it ends, when the system closes its handle.
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
