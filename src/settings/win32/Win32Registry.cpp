#include "settings/win32/Win32Registry.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/SystemErrorText.h"

namespace kob {

namespace {

HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

HKEY AsKey(std::uintptr_t key) {
    return reinterpret_cast<HKEY>(key);
}

} // namespace

std::int32_t Win32Registry::OpenKey(RegistryRoot root, const std::string& subKey, std::uint32_t access,
                                    std::uintptr_t& key) {
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyExA(RootKey(root), subKey.c_str(), 0, access, &opened);
    if (result == ERROR_SUCCESS) {
        key = reinterpret_cast<std::uintptr_t>(opened);
    }
    return result;
}

std::int32_t Win32Registry::QueryValue(std::uintptr_t key, const std::string& name, std::uint32_t& type,
                                       std::vector<std::uint8_t>& data, std::uint32_t& size) {
    DWORD valueType = type;
    // The byte count never promises more room than the buffer has.
    DWORD byteCount = std::min<DWORD>(size, static_cast<DWORD>(data.size()));
    const LONG result = RegQueryValueExA(AsKey(key), name.c_str(), nullptr, &valueType, data.data(), &byteCount);
    type = valueType;
    size = byteCount;
    return result;
}

std::int32_t Win32Registry::SetValue(std::uintptr_t key, const std::string& name, std::uint32_t type,
                                     const std::vector<std::uint8_t>& data) {
    return RegSetValueExA(AsKey(key), name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size()));
}

std::int32_t Win32Registry::SetWideStringValue(std::uintptr_t key, const std::string& name,
                                               const std::u16string& text) {
    // The value names the program uses are plain ASCII.
    const std::wstring wideName(name.begin(), name.end());
    const std::wstring data(text.begin(), text.end());
    return RegSetValueExW(AsKey(key), wideName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

std::int32_t Win32Registry::DeleteValue(std::uintptr_t key, const std::string& name) {
    return RegDeleteValueA(AsKey(key), name.c_str());
}

std::int32_t Win32Registry::CloseKey(std::uintptr_t key) {
    return RegCloseKey(AsKey(key));
}

std::string Win32Registry::DescribeResult(std::int32_t result) {
    return SystemErrorText(static_cast<DWORD>(result));
}

} // namespace kob
