#include "platform/win32/Win32ProcessList.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>

#include "platform/win32/SystemLibrary.h"
#include "platform/win32/UniqueHandle.h"

namespace kob {

namespace {

// The executable is the first of the process's modules; the list asks room for this many.
constexpr DWORD kModuleHandles = 50;

struct Psapi {
    decltype(&EnumProcesses) enumProcesses = nullptr;
    decltype(&EnumProcessModules) enumProcessModules = nullptr;
    decltype(&GetModuleFileNameExA) moduleFileName = nullptr;
};

// psapi.dll from the system folder, at the first listing (the instance check at start-up); kept for the run.
const Psapi& PsapiCalls() {
    static const Psapi calls = [] {
        const HMODULE psapi = LoadSystemLibrary("psapi.dll");
        return Psapi{FunctionOf<decltype(&EnumProcesses)>(psapi, "EnumProcesses"),
                     FunctionOf<decltype(&EnumProcessModules)>(psapi, "EnumProcessModules"),
                     FunctionOf<decltype(&GetModuleFileNameExA)>(psapi, "GetModuleFileNameExA")};
    }();
    return calls;
}

} // namespace

bool Win32ProcessList::ListIds(std::vector<std::uint32_t>& ids, std::uint32_t capacity, std::uint32_t& delivered) {
    static_assert(sizeof(DWORD) == sizeof(std::uint32_t));
    const auto count = std::min<std::size_t>(capacity, ids.size());
    const auto enumProcesses = PsapiCalls().enumProcesses;
    DWORD returned = 0;
    if (!enumProcesses ||
        !enumProcesses(reinterpret_cast<DWORD*>(ids.data()), static_cast<DWORD>(count * sizeof(DWORD)), &returned)) {
        return false;
    }
    delivered = returned / sizeof(DWORD);
    return true;
}

std::string Win32ProcessList::ExecutableOf(std::uint32_t processId) {
    const Psapi& psapi = PsapiCalls();
    const UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, TRUE, processId));
    if (!process || !psapi.enumProcessModules || !psapi.moduleFileName) {
        return {};
    }
    HMODULE modules[kModuleHandles] = {};
    DWORD needed = 0;
    if (!psapi.enumProcessModules(process.get(), modules, sizeof(modules), &needed)) {
        return {};
    }
    char name[MAX_PATH] = {};
    if (psapi.moduleFileName(process.get(), modules[0], name, MAX_PATH) == 0) {
        return {};
    }
    return std::string(name, std::find(name, name + MAX_PATH, '\0'));
}

} // namespace kob
