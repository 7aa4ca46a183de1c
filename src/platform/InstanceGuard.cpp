#include "platform/InstanceGuard.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <utility>

#include "platform/ErrorGuard.h"
#include "platform/ProgramFolder.h"
#include "platform/ServiceHandle.h"

namespace kob {

namespace {

constexpr std::uint32_t kFirstBufferBytes = 8;
constexpr std::uint32_t kFirstBytesReturned = 96;
constexpr std::uint32_t kModuleHandles = 50;
constexpr std::uint32_t kModuleBufferBytes = 200;
constexpr std::uint32_t kPathCharacters = 260;
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

// An opened process, closed when the scan leaves it by any path.
using OpenedProcess = ServiceHandle<ProcessListService, &ProcessListService::CloseHandle>;

// The file of the process's first module, its executable; empty when the module list or the name is unreadable.
std::string ExecutableOf(ProcessListService& processes, std::uint32_t processId) {
    OpenedProcess process(processes, processes.OpenProcess(kProcessQueryInformation | kProcessVmRead, true, processId));
    if (process.get() == 0) {
        return {};
    }
    std::vector<std::uintptr_t> modules(kModuleHandles, 0);
    std::uint32_t needed = 0;
    if (!processes.EnumProcessModules(process.get(), modules, kModuleBufferBytes, needed)) {
        return {};
    }
    std::vector<char> name(kPathCharacters, '\0');
    if (processes.ReadModuleFileName(process.get(), modules[0], name, kPathCharacters) == 0) {
        return {};
    }
    process.Close();
    return std::string(name.data(), std::find(name.begin(), name.end(), '\0') - name.begin());
}

} // namespace

void CreateInstanceMutex(SystemInfoService& systemInfo) {
    systemInfo.CreateNamedMutex(false, kInstanceMutexName);
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

void ListProcessIds(ProcessListService& processes, MessageBoxService& messages, ProcessIdList& list) {
    ShowErrorAndGoOn(messages, kMbIconExclamation, [&] {
        std::uint32_t bufferBytes = kFirstBufferBytes;
        std::uint32_t bytesReturned = kFirstBytesReturned;
        // One element more than the call may fill: it stays 0 and ends the listing below.
        std::vector<std::uint32_t> ids(1, 0);
        while (bufferBytes <= bytesReturned) {
            bufferBytes *= 2;
            ids.assign(bufferBytes / 4 + 1, 0);
            // A failed call leaves bytesReturned as it was, which ends the doubling.
            (void)processes.EnumProcesses(ids, bufferBytes, bytesReturned);
        }
        list.count = bytesReturned / 4;
        list.items.push_back(std::to_string(ids[0]));
        const std::size_t end = std::min(ids.size(), kMaxListedProcesses);
        for (std::size_t position = 1; position < end && ids[position] != 0; ++position) {
            list.items.push_back(std::to_string(ids[position]));
        }
    });
}

void EndIfAlreadyRunning(ProcessListService& processes, ModulePathService& modulePath, ProcessControl& process,
                         std::uint32_t OwnProcessId, const ProcessIdList& list, MutexOwnership guard) {
    if (guard == MutexOwnership::OwnedElsewhere) {
        process.EndProcess(OwnProcessId);
    }
    if (guard == MutexOwnership::Owned) {
        return;
    }
    try {
        const std::string ownPath = InProgramFolder(modulePath, kExecutableFileName);
        const std::size_t end = std::min<std::size_t>(list.items.size(), list.count);
        int matches = 0;
        for (std::size_t position = 0; position < end; ++position) {
            const auto processId = static_cast<std::uint32_t>(std::stoul(list.items[position]));
            if (processId == 0) {
                continue;
            }
            // A copy started at log-on through the 8.3 form of its path is still this program.
            const std::string executable = ExecutableOf(processes, processId);
            if (!executable.empty() && modulePath.IsSameFile(executable, ownPath)) {
                ++matches;
            }
            if (matches == kMatchesOfASecondCopy) {
                process.EndProcess(OwnProcessId);
            }
        }
    } catch (const std::exception&) {
        // A guard that cannot look lets the program run: a second copy is harmless, a refused start is not.
    }
}

} // namespace kob
