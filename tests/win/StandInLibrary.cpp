// A library that exports nothing, copied under the names of system libraries: a program that loads it instead of
// the system's own finds none of the functions it wants.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
