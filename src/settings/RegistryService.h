#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kob {

// The two predefined roots the program uses.
enum class RegistryRoot { CurrentUser, LocalMachine };

// What a key is opened for: reading its values, or writing and deleting them.
enum class RegistryAccess { Read, Write };

// How a registry operation ended. TooLong: the value exists but does not fit the room the reader gave it.
enum class RegistryOutcome { Ok, NotFound, AccessDenied, TooLong, Failed };

struct RegistryResult {
    RegistryOutcome outcome = RegistryOutcome::Ok;
    // The system's own description of an AccessDenied or Failed outcome ("Access is denied."), for telling the
    // user why.
    std::string reason;

    bool Ok() const { return outcome == RegistryOutcome::Ok; }
};

// The registry, one system call per operation. Keys are handle numbers, closed through CloseKey. Nothing here
// creates a key.
class RegistryService {
public:
    virtual ~RegistryService() = default;
    virtual RegistryResult OpenKey(RegistryRoot root, const std::string& subKey, RegistryAccess access,
                                   std::uintptr_t& key) = 0;
    // The value's first four bytes as a little-endian number, whatever type it is stored as; a value longer than
    // four bytes is TooLong. The number is set only when the outcome is Ok.
    virtual RegistryResult ReadDword(std::uintptr_t key, const std::string& name, std::uint32_t& value) = 0;
    // The value as ANSI text when it fits maxBytes (its NUL included), whatever type it is stored as; TooLong
    // otherwise. The text is set only when the outcome is Ok.
    virtual RegistryResult ReadText(std::uintptr_t key, const std::string& name, std::size_t maxBytes,
                                    std::string& text) = 0;
    // A four-byte DWORD value.
    virtual RegistryResult WriteDword(std::uintptr_t key, const std::string& name, std::uint32_t value) = 0;
    // A text value in the ANSI code page, stored with its NUL.
    virtual RegistryResult WriteText(std::uintptr_t key, const std::string& name, const std::string& text) = 0;
    // A text value stored as UTF-16 with its NUL, for text no ANSI code page spells.
    virtual RegistryResult WriteWideText(std::uintptr_t key, const std::string& name, const std::u16string& text) = 0;
    virtual RegistryResult DeleteValue(std::uintptr_t key, const std::string& name) = 0;
    virtual void CloseKey(std::uintptr_t key) = 0;
};

} // namespace kob
