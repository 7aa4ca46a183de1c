// Run from a folder that holds stand-ins named winmm.dll, psapi.dll and oleacc.dll: uses what the program loads at
// first use (the mixer, the process list, a screen reader's question) and ends with a bit for each stand-in that
// got loaded: 1 winmm, 2 psapi, 4 oleacc; 0 when none did.
#include <windows.h>

#include <cstring>

#include "platform/win32/Accessibility.h"
#include "platform/win32/Win32ProcessList.h"
#include "volume/win32/WinmmVolume.h"

namespace {

// Whether the library of that name in the process is the file beside this program.
bool LoadedFromHere(const char* name) {
    char own[MAX_PATH] = {};
    char library[MAX_PATH] = {};
    const HMODULE module = GetModuleHandleA(name);
    if (!module || !GetModuleFileNameA(module, library, MAX_PATH) || !GetModuleFileNameA(nullptr, own, MAX_PATH)) {
        return false;
    }
    *std::strrchr(own, '\\') = '\0';
    *std::strrchr(library, '\\') = '\0';
    return lstrcmpiA(own, library) == 0;
}

} // namespace

int main() {
    kob::WinmmVolume mixer;
    (void)mixer.PrepareVolume();
    (void)kob::Win32ProcessList().ListIds();
    if (IAccessible* desktop = kob::accessibility::CreateStandardObject(GetDesktopWindow(), OBJID_CLIENT)) {
        desktop->Release();
    }
    return (LoadedFromHere("winmm.dll") ? 1 : 0) | (LoadedFromHere("psapi.dll") ? 2 : 0) |
           (LoadedFromHere("oleacc.dll") ? 4 : 0);
}
