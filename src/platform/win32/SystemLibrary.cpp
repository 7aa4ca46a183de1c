#include "platform/win32/SystemLibrary.h"

#include "platform/win32/DynamicCalls.h"

namespace kob {

HMODULE LoadSystemLibrary(const char* fileName) {
    char path[MAX_PATH];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    // The folder, a backslash, the name and its NUL.
    if (length == 0 || length + 1 + lstrlenA(fileName) + 1 > MAX_PATH) {
        return nullptr;
    }
    path[length] = '\\';
    lstrcpyA(path + length + 1, fileName);
    // A loader that has SetDefaultDllDirectories also knows the flag that keeps one load to the system folder, also
    // in a process whose search nobody narrowed (the setup's).
    const DWORD search =
        dynamic::Kernel().setDefaultDllDirectories ? LOAD_LIBRARY_SEARCH_SYSTEM32 : LOAD_WITH_ALTERED_SEARCH_PATH;
    return LoadLibraryExA(path, nullptr, search);
}

void NarrowLibrarySearch() {
    const dynamic::KernelCalls& kernel = dynamic::Kernel();
    bool searchNarrowed = false;
    if (kernel.setDefaultDllDirectories) {
        searchNarrowed = kernel.setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;
    }
    if (kernel.setDllDirectoryW && !searchNarrowed) {
        // An empty folder takes the current folder out of the search order.
        kernel.setDllDirectoryW(L"");
    }
}

} // namespace kob
