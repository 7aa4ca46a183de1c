#pragma once

#include <windows.h>

namespace kob {

// A library of the system folder, loaded by its full path. A library that is not on the system's list of known DLLs
// is otherwise looked for in the program's folder first, so that a file of its name put there would run inside the
// program; loaded this way, only the system's own copy ever is. Its own dependencies come from the system folder
// too: from it alone where the loader can keep a load there (LOAD_LIBRARY_SEARCH_SYSTEM32, on the systems that have
// SetDefaultDllDirectories), else from the library's own folder first (LOAD_WITH_ALTERED_SEARCH_PATH). The library
// stays loaded for the rest of the run; nullptr when it cannot be loaded.
HMODULE LoadSystemLibrary(const char* fileName);

// A function of a library as its own type; nullptr when the library or the function is missing.
template <typename Function> Function FunctionOf(HMODULE library, const char* name) {
    return library ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

// The start-up's first step: from here on every library loaded by its name (the system's own components still load
// some that way) and every dependency comes from the system folder alone, where the system can narrow the search so
// (SetDefaultDllDirectories: Windows 8, and Vista and 7 with their update). Elsewhere the current folder at least
// leaves the search (SetDllDirectory: Windows XP SP1 and later).
void NarrowLibrarySearch();

} // namespace kob
