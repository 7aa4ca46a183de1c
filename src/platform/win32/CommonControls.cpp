#include "platform/win32/CommonControls.h"

#include <windows.h>

namespace kob {

void PrepareCommonControls() {
    // Looked up by name, so the program does not import comctl32 and Windows does not load it at start-up.
    HMODULE controls = GetModuleHandleA("comctl32.dll");
    if (!controls) {
        controls = LoadLibraryA("comctl32.dll");
    }
    if (!controls) {
        return;
    }
    using InitCommonControlsCall = void(WINAPI*)();
    if (FARPROC found = GetProcAddress(controls, "InitCommonControls")) {
        reinterpret_cast<InitCommonControlsCall>(reinterpret_cast<void*>(found))();
    }
}

} // namespace kob
