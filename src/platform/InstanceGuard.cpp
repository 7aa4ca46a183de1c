#include "platform/InstanceGuard.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "common/OutsideNames.h"
#include "platform/ProgramFolder.h"

namespace kob {

namespace {

constexpr int kMatchesOfASecondCopy = 2;
// This session's namespace: another user's copy, in his own session, never stops this user's.
constexpr const char* kGuardNamePrefix = "Local\\kob3.0-";

// FNV-1a, 64 bits, over the UTF-16 code units: a path's fixed-length fingerprint (after its namespace a
// mutex name may hold no backslash, and at most 260 characters in all).
std::uint64_t Fingerprint(const std::u16string& text) {
    std::uint64_t hash = 0xCBF29CE484222325ULL;
    for (const char16_t unit : text) {
        for (const unsigned byte : {unit & 0xFFu, static_cast<unsigned>(unit >> 8)}) {
            hash = (hash ^ byte) * 0x100000001B3ULL;
        }
    }
    return hash;
}

std::string Hex(std::uint64_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text(16, '0');
    for (auto digit = text.rbegin(); digit != text.rend(); ++digit, value >>= 4) {
        *digit = kDigits[value & 0xF];
    }
    return text;
}

} // namespace

void CreateInstanceMutex(SystemInfoService& systemInfo) {
    systemInfo.CreateNamedMutex(kInstanceMutexName);
}

MutexOwnership TakeProgramGuard(SystemInfoService& systemInfo, ModulePathService& modulePath) {
    const std::u16string path = modulePath.FoldedLongExecutablePath();
    std::u16string ownFile = u"\\";
    for (const char c : std::string(kExecutableFileName)) {
        ownFile += static_cast<char16_t>(std::toupper(static_cast<unsigned char>(c)));
    }
    // Copies under another file name are not the program the guard keeps single: they run side by side.
    if (path.size() < ownFile.size() || path.compare(path.size() - ownFile.size(), ownFile.size(), ownFile) != 0) {
        return MutexOwnership::Unavailable;
    }
    return systemInfo.TakeNamedMutex(kGuardNamePrefix + Hex(Fingerprint(path)));
}

ProcessIds ListProcessIds(ProcessListService& processes) {
    const std::vector<std::uint32_t> ids = processes.ListIds();
    ProcessIds list;
    // The first identifier is listed whatever it is (the idle process has 0); a later 0 ends the listing.
    const std::size_t end = std::min(ids.size(), kMaxListedProcesses);
    for (std::size_t position = 0; position < end && (position == 0 || ids[position] != 0); ++position) {
        list.push_back(ids[position]);
    }
    return list;
}

bool IsAlreadyRunning(ProcessListService& processes, ModulePathService& modulePath, const ProcessIds& list,
                      MutexOwnership guard) {
    if (guard != MutexOwnership::Unavailable) {
        return guard == MutexOwnership::OwnedElsewhere;
    }
    const std::string ownPath = InProgramFolder(modulePath, kExecutableFileName);
    int matches = 0;
    for (const std::uint32_t processId : list) {
        if (processId == 0) {
            continue;
        }
        // A copy started at log-on through the 8.3 form of its path is still this program.
        const std::string executable = processes.ExecutableOf(processId);
        if (!executable.empty() && modulePath.IsSameFile(executable, ownPath)) {
            ++matches;
        }
        if (matches == kMatchesOfASecondCopy) {
            return true;
        }
    }
    return false;
}

} // namespace kob
