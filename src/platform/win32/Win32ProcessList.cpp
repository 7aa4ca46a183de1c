#include "platform/win32/Win32ProcessList.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>

namespace kob {

namespace {

HANDLE AsHandle(std::uintptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

} // namespace

bool Win32ProcessList::EnumProcesses(std::vector<std::uint32_t>& ids, std::uint32_t bufferBytes,
                                     std::uint32_t& bytesReturned) {
    static_assert(sizeof(DWORD) == sizeof(std::uint32_t));
    const auto bytes = std::min<std::size_t>(bufferBytes, ids.size() * sizeof(DWORD));
    DWORD returned = 0;
    if (!::EnumProcesses(reinterpret_cast<DWORD*>(ids.data()), static_cast<DWORD>(bytes), &returned)) {
        return false;
    }
    bytesReturned = returned;
    return true;
}

std::uintptr_t Win32ProcessList::OpenProcess(std::uint32_t access, bool inheritHandle, std::uint32_t processId) {
    return reinterpret_cast<std::uintptr_t>(::OpenProcess(access, inheritHandle ? TRUE : FALSE, processId));
}

bool Win32ProcessList::EnumProcessModules(std::uintptr_t process, std::vector<std::uintptr_t>& modules,
                                          std::uint32_t bufferBytes, std::uint32_t& bytesNeeded) {
    std::vector<HMODULE> handles(modules.size(), nullptr);
    const auto bytes = std::min<std::size_t>(bufferBytes, handles.size() * sizeof(HMODULE));
    DWORD needed = 0;
    const BOOL listed = ::EnumProcessModules(AsHandle(process), handles.data(), static_cast<DWORD>(bytes), &needed);
    std::transform(handles.begin(), handles.end(), modules.begin(),
                   [](HMODULE module) { return reinterpret_cast<std::uintptr_t>(module); });
    bytesNeeded = needed;
    return listed != FALSE;
}

std::uint32_t Win32ProcessList::ReadModuleFileName(std::uintptr_t process, std::uintptr_t module,
                                                   std::vector<char>& buffer, std::uint32_t size) {
    const auto characters = std::min<std::size_t>(size, buffer.size());
    return ::GetModuleFileNameExA(AsHandle(process), reinterpret_cast<HMODULE>(module), buffer.data(),
                                  static_cast<DWORD>(characters));
}

bool Win32ProcessList::CloseHandle(std::uintptr_t handle) {
    return ::CloseHandle(AsHandle(handle)) != FALSE;
}

} // namespace kob
