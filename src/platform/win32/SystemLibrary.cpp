#include "platform/win32/SystemLibrary.h"

namespace kob {

namespace {

// Set once by the start-up's first step, for the whole process, as the search it stands for.
bool searchNarrowed = false;

} // namespace

HMODULE LoadSystemLibrary(const char* fileName) {
    char path[MAX_PATH];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    // The folder, a backslash, the name and its NUL.
    if (length == 0 || length + 1 + lstrlenA(fileName) + 1 > MAX_PATH) {
        return nullptr;
    }
    path[length] = '\\';
    lstrcpyA(path + length + 1, fileName);
    return LoadLibraryExA(path, nullptr, searchNarrowed ? 0 : LOAD_WITH_ALTERED_SEARCH_PATH);
}

void NarrowLibrarySearch() {
    // Both looked up by name: the program must still load on the systems that lack them.
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    using SetDefaultDllDirectoriesCall = BOOL(WINAPI*)(DWORD);
    if (const auto setDefault = FunctionOf<SetDefaultDllDirectoriesCall>(kernel, "SetDefaultDllDirectories")) {
        searchNarrowed = setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;
    }
    using SetDllDirectoryCall = BOOL(WINAPI*)(LPCWSTR);
    if (const auto setDllDirectory = FunctionOf<SetDllDirectoryCall>(kernel, "SetDllDirectoryW");
        setDllDirectory && !searchNarrowed) {
        // An empty folder takes the current folder out of the search order.
        setDllDirectory(L"");
    }
}

} // namespace kob
