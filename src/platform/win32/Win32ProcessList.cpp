#include "platform/win32/Win32ProcessList.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>

#include "platform/win32/UniqueHandle.h"

namespace kob {

namespace {

// The executable is the first of the process's modules; the list asks room for this many.
constexpr DWORD kModuleHandles = 50;

} // namespace

bool Win32ProcessList::ListIds(std::vector<std::uint32_t>& ids, std::uint32_t capacity, std::uint32_t& delivered) {
    static_assert(sizeof(DWORD) == sizeof(std::uint32_t));
    const auto count = std::min<std::size_t>(capacity, ids.size());
    DWORD returned = 0;
    if (!::EnumProcesses(reinterpret_cast<DWORD*>(ids.data()), static_cast<DWORD>(count * sizeof(DWORD)), &returned)) {
        return false;
    }
    delivered = returned / sizeof(DWORD);
    return true;
}

std::string Win32ProcessList::ExecutableOf(std::uint32_t processId) {
    const UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, TRUE, processId));
    if (!process) {
        return {};
    }
    HMODULE modules[kModuleHandles] = {};
    DWORD needed = 0;
    if (!::EnumProcessModules(process.get(), modules, sizeof(modules), &needed)) {
        return {};
    }
    char name[MAX_PATH] = {};
    if (::GetModuleFileNameExA(process.get(), modules[0], name, MAX_PATH) == 0) {
        return {};
    }
    return std::string(name, std::find(name, name + MAX_PATH, '\0'));
}

} // namespace kob
