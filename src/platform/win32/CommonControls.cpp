#include "platform/win32/CommonControls.h"

#include <windows.h>

#include "platform/win32/SystemLibrary.h"

namespace kob {

namespace {

HMODULE LoadCommonControls() {
    // Where the system has side-by-side assemblies (Windows XP and later), the name resolves to the version the
    // manifest names, from the system's assembly store; Windows 2000 has only the system folder's copy, loaded by
    // its full path so that a file of that name beside the program never is.
    if (GetProcAddress(GetModuleHandleA("kernel32.dll"), "ActivateActCtx")) {
        return LoadLibraryA("comctl32.dll");
    }
    return LoadSystemLibrary("comctl32.dll");
}

} // namespace

void PrepareCommonControls() {
    // Looked up by name, so the program does not import comctl32 and Windows does not load it at start-up.
    HMODULE controls = GetModuleHandleA("comctl32.dll");
    if (!controls) {
        controls = LoadCommonControls();
    }
    using InitCommonControlsCall = void(WINAPI*)();
    if (const auto initCommonControls = FunctionOf<InitCommonControlsCall>(controls, "InitCommonControls")) {
        initCommonControls();
    }
}

} // namespace kob
