#include "platform/win32/SystemLibrary.h"

#include "platform/win32/DynamicCalls.h"

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
    const dynamic::KernelCalls& kernel = dynamic::Kernel();
    if (kernel.setDefaultDllDirectories) {
        searchNarrowed = kernel.setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;
    }
    if (kernel.setDllDirectoryW && !searchNarrowed) {
        // An empty folder takes the current folder out of the search order.
        kernel.setDllDirectoryW(L"");
    }
}

} // namespace kob
