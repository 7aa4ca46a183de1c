#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kob {

// How a registry operation ended. TooLong: the value exists but does not fit the room the reader gave it.
enum class RegistryOutcome { Ok, NotFound, AccessDenied, TooLong, Failed };

struct RegistryResult {
    RegistryOutcome outcome = RegistryOutcome::Ok;
    // The system's own description of an AccessDenied or Failed outcome ("Access is denied."), for telling the
    // user why.
    std::string reason;

    bool Ok() const { return outcome == RegistryOutcome::Ok; }
};

// An open key of the registry, one system call per value operation. It is closed when it goes; its one owner holds
// it by a std::unique_ptr.
class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    virtual ~RegistryKey() = default;

    // The value's first four bytes as a little-endian number, whatever type it is stored as; a value longer than
    // four bytes is TooLong. The number is set only when the outcome is Ok.
    virtual RegistryResult ReadDword(const std::string& name, std::uint32_t& value) = 0;
    // The value as ANSI text when it fits maxBytes (its NUL included), whatever type it is stored as; TooLong
    // otherwise. The text is set only when the outcome is Ok.
    virtual RegistryResult ReadText(const std::string& name, std::size_t maxBytes, std::string& text) = 0;
    // A four-byte DWORD value.
    virtual RegistryResult WriteDword(const std::string& name, std::uint32_t value) = 0;
    // A text value in the ANSI code page, stored with its NUL.
    virtual RegistryResult WriteText(const std::string& name, const std::string& text) = 0;
    // A text value stored as UTF-16 with its NUL, for text no ANSI code page spells.
    virtual RegistryResult WriteWideText(const std::string& name, const std::u16string& text) = 0;
    virtual RegistryResult DeleteValue(const std::string& name) = 0;
};

} // namespace kob
