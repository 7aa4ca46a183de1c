#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ModulePathService.h"
#include "platform/ProcessListService.h"
#include "platform/SystemInfoService.h"

namespace kob {

inline constexpr const char* kExecutableFileName = "kob3.0.exe";
// Positions 0 to 1,000 of the snapshot are listed.
inline constexpr std::size_t kMaxListedProcesses = 1001;

// The system's process identifiers as the guard lists them, in the order the system gave them.
using ProcessIds = std::vector<std::uint32_t>;

// Creates the named mutex "kob3.0", owned by nobody. Nothing tests it: it only lives as long as the process.
void CreateInstanceMutex(SystemInfoService& systemInfo);

// The program's guard: a mutex of this user's session named after the executable's long, case-folded path, owned
// by the calling thread (the main thread) for as long as it runs. Of copies of one executable started at the same
// moment exactly one owns it; a copy whose main thread has died leaves it to the next. Copies in other folders and
// other users' sessions have guards of their own. Unavailable when the path or the mutex cannot be had, and for
// an executable not named "kob3.0.exe", which the guard never counts.
MutexOwnership TakeProgramGuard(SystemInfoService& systemInfo, ModulePathService& modulePath);

// The system's process identifiers, at most 1,001 of them and up to the first 0 after the first; none when the
// system refuses the snapshot.
ProcessIds ListProcessIds(ProcessListService& processes);

// Whether another copy of the program runs: when another copy owns the program's guard, or, where no guard could be
// had, when two listed processes (this one included) run the program folder's "kob3.0.exe", compared as the file
// system does (letter case and 8.3 forms do not matter). A copy that owns the guard is the only one running: listed
// copies are ones whose main thread has gone. False after any failure.
bool IsAlreadyRunning(ProcessListService& processes, ModulePathService& modulePath, const ProcessIds& list,
                      MutexOwnership guard);

} // namespace kob
