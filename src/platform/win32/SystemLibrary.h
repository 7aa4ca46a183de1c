#pragma once

#include <windows.h>

namespace kob {

// A library of the system folder, loaded by its full path. A library that is not on the system's list of known DLLs
// is otherwise looked for in the program's folder first, so that a file of its name put there would run inside the
// program; loaded this way, only the system's own copy ever is. The library stays loaded for the rest of the run;
// nullptr when it cannot be loaded.
HMODULE LoadSystemLibrary(const char* fileName);

// A function of a library as its own type; nullptr when the library or the function is missing.
template <typename Function> Function FunctionOf(HMODULE library, const char* name) {
    return library ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

// Takes the current folder out of the places searched for a library loaded by its name (the system's own
// components still load some that way), where the system can: Windows XP SP1 and later. Called first thing.
void KeepCurrentFolderOutOfLibrarySearch();

} // namespace kob
