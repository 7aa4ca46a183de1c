#include "platform/win32/Win32ProcessList.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>

#include "platform/win32/DynamicCalls.h"
#include "platform/win32/UniqueHandle.h"

namespace kob {

namespace {

// The executable is the first of the process's modules; the list asks room for this many.
constexpr DWORD kModuleHandles = 50;
// The snapshot's room before its first doubling, and the count that the first pass is measured against.
constexpr DWORD kFirstRoom = 2;
constexpr DWORD kFirstDelivered = 24;

} // namespace

std::vector<std::uint32_t> Win32ProcessList::ListIds() {
    static_assert(sizeof(DWORD) == sizeof(std::uint32_t));
    const EnumProcessesCall enumerate = enumerate_ ? enumerate_ : dynamic::Psapi().enumProcesses;
    if (!enumerate) {
        return {};
    }
    // EnumProcesses tells only how much of the room it filled: the room doubles, from four identifiers, until the
    // system leaves some free. A refused call keeps the count it had, so refusals end the doubling once the room
    // passes the first count.
    std::vector<std::uint32_t> ids;
    DWORD room = kFirstRoom;
    DWORD delivered = kFirstDelivered;
    bool filled = false;
    while (room <= delivered) {
        room *= 2;
        ids.assign(room, 0);
        DWORD bytes = 0;
        filled = enumerate(reinterpret_cast<DWORD*>(ids.data()), room * sizeof(DWORD), &bytes) != FALSE;
        if (filled) {
            delivered = bytes / sizeof(DWORD);
        }
    }
    if (!filled) {
        return {};
    }
    ids.resize(std::min(delivered, room));
    return ids;
}

std::string Win32ProcessList::ExecutableOf(std::uint32_t processId) {
    const dynamic::PsapiCalls& psapi = dynamic::Psapi();
    const UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, TRUE, processId));
    if (!process || !psapi.enumProcessModules || !psapi.getModuleFileNameExA) {
        return {};
    }
    HMODULE modules[kModuleHandles] = {};
    DWORD needed = 0;
    if (!psapi.enumProcessModules(process.get(), modules, sizeof(modules), &needed)) {
        return {};
    }
    char name[MAX_PATH] = {};
    if (psapi.getModuleFileNameExA(process.get(), modules[0], name, MAX_PATH) == 0) {
        return {};
    }
    return std::string(name, std::find(name, name + MAX_PATH, '\0'));
}

} // namespace kob
