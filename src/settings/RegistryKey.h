#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace kob {

// Why the registry did not do what it was asked: the key or value is not there, the user may not, or something else.
struct RegistryFailure {
    enum class Kind { NotFound, AccessDenied, Other };
    Kind kind = Kind::Other;
    // The system's own words for a refusal or another failure ("Access is denied."), for telling the user why; empty
    // for a key or value that is not there.
    std::string reason;
};

// What a change of a value leaves to its caller: nothing when it was made, else why not.
using RegistryChange = std::optional<RegistryFailure>;

// A text value as a reader finds it: whether it is there, and its text when it is no longer than the reader takes.
struct TextValue {
    bool present = false;
    std::optional<std::string> text;
};

// An open key of the registry, one system call per value operation. It is closed when it goes; its one owner holds
// it by a std::unique_ptr.
class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    virtual ~RegistryKey() = default;

    // The value as a little-endian number, whatever type it is stored as; none when it cannot be read or is longer
    // than a number.
    virtual std::optional<std::uint32_t> ReadNumber(const std::string& name) = 0;
    // The value as ANSI text, whatever type it is stored as; a text longer than longestText characters is there
    // but has no text.
    virtual TextValue ReadText(const std::string& name, std::size_t longestText) = 0;
    // A four-byte DWORD value.
    virtual RegistryChange WriteDword(const std::string& name, std::uint32_t value) = 0;
    // A text value in the ANSI code page, stored with its NUL.
    virtual RegistryChange WriteText(const std::string& name, const std::string& text) = 0;
    // A text value stored as UTF-16 with its NUL, for text no ANSI code page spells.
    virtual RegistryChange WriteWideText(const std::string& name, const std::u16string& text) = 0;
    virtual RegistryChange DeleteValue(const std::string& name) = 0;
};

} // namespace kob
