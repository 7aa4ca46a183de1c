#include "settings/win32/Win32Registry.h"

#include <windows.h>

#include <memory>
#include <vector>

#include "platform/win32/SystemErrorText.h"
#include "platform/win32/UniqueHandle.h"

namespace kob {

namespace {

HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

// The failure a code of the registry's functions stands for; not to be asked for ERROR_SUCCESS.
RegistryFailure FailureOf(LONG code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
        return {RegistryFailure::Kind::NotFound, ""};
    case ERROR_ACCESS_DENIED:
        return {RegistryFailure::Kind::AccessDenied, SystemErrorText(static_cast<DWORD>(code))};
    default:
        return {RegistryFailure::Kind::Other, SystemErrorText(static_cast<DWORD>(code))};
    }
}

RegistryChange ChangeOf(LONG code) {
    if (code == ERROR_SUCCESS) {
        return std::nullopt;
    }
    return FailureOf(code);
}

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};

class Win32RegistryKey : public RegistryKey {
public:
    explicit Win32RegistryKey(HKEY key) : key_(key) {}
    std::optional<std::uint32_t> ReadNumber(const std::string& name) override;
    TextValue ReadText(const std::string& name, std::size_t longestText) override;
    RegistryChange WriteDword(const std::string& name, std::uint32_t value) override;
    RegistryChange WriteText(const std::string& name, const std::string& text) override;
    RegistryChange WriteWideText(const std::string& name, const std::u16string& text) override;
    RegistryChange DeleteValue(const std::string& name) override;

private:
    // Queries the value into a zeroed buffer of that many bytes, whatever type it is stored as: the system's code,
    // ERROR_MORE_DATA when the value is longer than the buffer.
    LONG Query(const std::string& name, std::vector<BYTE>& buffer);

    UniqueHandle<HKEY, KeyCloser> key_;
};

LONG Win32RegistryKey::Query(const std::string& name, std::vector<BYTE>& buffer) {
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(buffer.size());
    const LONG result = RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, buffer.data(), &size);
    buffer.resize(result == ERROR_SUCCESS ? size : 0);
    return result;
}

std::optional<std::uint32_t> Win32RegistryKey::ReadNumber(const std::string& name) {
    std::vector<BYTE> buffer(sizeof(DWORD), 0);
    if (Query(name, buffer) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    // A shorter value leaves the rest of the number zero.
    buffer.resize(sizeof(DWORD), 0);
    return static_cast<std::uint32_t>(buffer[0]) | static_cast<std::uint32_t>(buffer[1]) << 8 |
           static_cast<std::uint32_t>(buffer[2]) << 16 | static_cast<std::uint32_t>(buffer[3]) << 24;
}

TextValue Win32RegistryKey::ReadText(const std::string& name, std::size_t longestText) {
    // Room for the longest text and its NUL.
    std::vector<BYTE> buffer(longestText + 1, 0);
    const LONG result = Query(name, buffer);
    if (result == ERROR_MORE_DATA) {
        return {true, std::nullopt};
    }
    if (result != ERROR_SUCCESS) {
        return {};
    }
    std::string text(buffer.begin(), buffer.end());
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    return {true, text};
}

RegistryChange Win32RegistryKey::WriteDword(const std::string& name, std::uint32_t value) {
    const DWORD data = value;
    return ChangeOf(
        RegSetValueExA(key_.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data)));
}

RegistryChange Win32RegistryKey::WriteText(const std::string& name, const std::string& text) {
    // The byte count includes the terminating NUL.
    return ChangeOf(RegSetValueExA(key_.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                   static_cast<DWORD>(text.size() + 1)));
}

RegistryChange Win32RegistryKey::WriteWideText(const std::string& name, const std::u16string& text) {
    // The value names the program uses are plain ASCII.
    const std::wstring wideName(name.begin(), name.end());
    const std::wstring data(text.begin(), text.end());
    return ChangeOf(RegSetValueExW(key_.get(), wideName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))));
}

RegistryChange Win32RegistryKey::DeleteValue(const std::string& name) {
    return ChangeOf(RegDeleteValueA(key_.get(), name.c_str()));
}

} // namespace

OpenedKey Win32Registry::OpenKey(RegistryRoot root, const std::string& subKey, RegistryAccess access) {
    HKEY opened = nullptr;
    const REGSAM rights = access == RegistryAccess::Read ? KEY_READ : KEY_WRITE;
    const LONG result = RegOpenKeyExA(RootKey(root), subKey.c_str(), 0, rights, &opened);
    if (result != ERROR_SUCCESS) {
        return FailureOf(result);
    }
    return std::make_unique<Win32RegistryKey>(opened);
}

} // namespace kob
