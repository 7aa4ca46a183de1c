#include "platform/win32/SystemLibrary.h"

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
    return LoadLibraryA(path);
}

void KeepCurrentFolderOutOfLibrarySearch() {
    // Looked up by name: Windows 2000 and XP before SP1 do not have it, and the program must still load there.
    using SetDllDirectoryCall = BOOL(WINAPI*)(LPCWSTR);
    if (const auto setDllDirectory =
            FunctionOf<SetDllDirectoryCall>(GetModuleHandleA("kernel32.dll"), "SetDllDirectoryW")) {
        // An empty folder takes the current folder out of the search order.
        setDllDirectory(L"");
    }
}

} // namespace kob
