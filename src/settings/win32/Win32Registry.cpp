#include "settings/win32/Win32Registry.h"

#include <windows.h>

#include <vector>

#include "platform/win32/SystemErrorText.h"

namespace kob {

namespace {

HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

HKEY AsKey(std::uintptr_t key) {
    return reinterpret_cast<HKEY>(key);
}

RegistryResult ResultOf(LONG code) {
    switch (code) {
    case ERROR_SUCCESS:
        return {};
    case ERROR_FILE_NOT_FOUND:
        return {RegistryOutcome::NotFound, ""};
    case ERROR_MORE_DATA:
        return {RegistryOutcome::TooLong, ""};
    case ERROR_ACCESS_DENIED:
        return {RegistryOutcome::AccessDenied, SystemErrorText(static_cast<DWORD>(code))};
    default:
        return {RegistryOutcome::Failed, SystemErrorText(static_cast<DWORD>(code))};
    }
}

// Queries the value into a zeroed buffer of that many bytes, whatever type it is stored as.
RegistryResult Query(std::uintptr_t key, const std::string& name, std::vector<BYTE>& buffer) {
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(buffer.size());
    const LONG result = RegQueryValueExA(AsKey(key), name.c_str(), nullptr, &type, buffer.data(), &size);
    buffer.resize(result == ERROR_SUCCESS ? size : 0);
    return ResultOf(result);
}

} // namespace

RegistryResult Win32Registry::OpenKey(RegistryRoot root, const std::string& subKey, RegistryAccess access,
                                      std::uintptr_t& key) {
    HKEY opened = nullptr;
    const REGSAM rights = access == RegistryAccess::Read ? KEY_READ : KEY_WRITE;
    const LONG result = RegOpenKeyExA(RootKey(root), subKey.c_str(), 0, rights, &opened);
    if (result == ERROR_SUCCESS) {
        key = reinterpret_cast<std::uintptr_t>(opened);
    }
    return ResultOf(result);
}

RegistryResult Win32Registry::ReadDword(std::uintptr_t key, const std::string& name, std::uint32_t& value) {
    std::vector<BYTE> buffer(sizeof(DWORD), 0);
    RegistryResult result = Query(key, name, buffer);
    if (result.Ok()) {
        // A shorter value leaves the rest of the number zero.
        buffer.resize(sizeof(DWORD), 0);
        value = static_cast<std::uint32_t>(buffer[0]) | static_cast<std::uint32_t>(buffer[1]) << 8 |
                static_cast<std::uint32_t>(buffer[2]) << 16 | static_cast<std::uint32_t>(buffer[3]) << 24;
    }
    return result;
}

RegistryResult Win32Registry::ReadText(std::uintptr_t key, const std::string& name, std::size_t maxBytes,
                                       std::string& text) {
    std::vector<BYTE> buffer(maxBytes, 0);
    RegistryResult result = Query(key, name, buffer);
    if (result.Ok()) {
        text.assign(buffer.begin(), buffer.end());
        text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    }
    return result;
}

RegistryResult Win32Registry::WriteDword(std::uintptr_t key, const std::string& name, std::uint32_t value) {
    const DWORD data = value;
    return ResultOf(
        RegSetValueExA(AsKey(key), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data)));
}

RegistryResult Win32Registry::WriteText(std::uintptr_t key, const std::string& name, const std::string& text) {
    // The byte count includes the terminating NUL.
    return ResultOf(RegSetValueExA(AsKey(key), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                   static_cast<DWORD>(text.size() + 1)));
}

RegistryResult Win32Registry::WriteWideText(std::uintptr_t key, const std::string& name, const std::u16string& text) {
    // The value names the program uses are plain ASCII.
    const std::wstring wideName(name.begin(), name.end());
    const std::wstring data(text.begin(), text.end());
    return ResultOf(RegSetValueExW(AsKey(key), wideName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))));
}

RegistryResult Win32Registry::DeleteValue(std::uintptr_t key, const std::string& name) {
    return ResultOf(RegDeleteValueA(AsKey(key), name.c_str()));
}

void Win32Registry::CloseKey(std::uintptr_t key) {
    RegCloseKey(AsKey(key));
}

} // namespace kob
