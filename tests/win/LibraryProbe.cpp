// Run from a folder that holds stand-ins named winmm.dll, psapi.dll, oleacc.dll and msacm32.dll (one of winmm's own
// dependencies): uses what the program loads at first use (the mixer, the process list, a screen reader's question)
// and ends with a bit for each stand-in that got loaded: 1 winmm, 2 psapi, 4 oleacc, 8 msacm32; 0 when none did.
// With "narrowed" it first takes the start-up's first step, and then also loads msacm32 by its name, as the
// system's own components load libraries.
#include <windows.h>

#include <cstring>

#include "platform/win32/Accessibility.h"
#include "platform/win32/SystemLibrary.h"
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

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "narrowed") == 0) {
        kob::NarrowLibrarySearch();
        LoadLibraryA("msacm32.dll");
    }
    kob::WinmmVolume mixer;
    (void)mixer.LookAt(kob::DeviceUse::Volume);
    (void)kob::Win32ProcessList().ListIds();
    if (IAccessible* desktop = kob::accessibility::CreateStandardObject(GetDesktopWindow(), OBJID_CLIENT)) {
        desktop->Release();
    }
    return (LoadedFromHere("winmm.dll") ? 1 : 0) | (LoadedFromHere("psapi.dll") ? 2 : 0) |
           (LoadedFromHere("oleacc.dll") ? 4 : 0) | (LoadedFromHere("msacm32.dll") ? 8 : 0);
}
