#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kob {

// The two predefined roots the program uses.
enum class RegistryRoot { CurrentUser, LocalMachine };

// Published advapi32 values.
inline constexpr std::int32_t kErrorSuccess = 0;
inline constexpr std::int32_t kErrorFileNotFound = 2;
inline constexpr std::int32_t kErrorAccessDenied = 5;
inline constexpr std::int32_t kErrorMoreData = 234;
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kKeyWrite = 0x20006;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;

// The registry, one advapi32 call per operation. Results are the calls' own LONG codes; keys are handle numbers.
class RegistryService {
public:
    virtual ~RegistryService() = default;
    // RegOpenKeyExA(root, subKey, 0, access, &key).
    virtual std::int32_t OpenKey(RegistryRoot root, const std::string& subKey, std::uint32_t access,
                                 std::uintptr_t& key) = 0;
    // RegQueryValueExA into data, whose length is the buffer size; size passes the byte count in and out, type
    // the value type in and out.
    virtual std::int32_t QueryValue(std::uintptr_t key, const std::string& name, std::uint32_t& type,
                                    std::vector<std::uint8_t>& data, std::uint32_t& size) = 0;
    // RegSetValueExA with Reserved 0; the byte count is data's length.
    virtual std::int32_t SetValue(std::uintptr_t key, const std::string& name, std::uint32_t type,
                                  const std::vector<std::uint8_t>& data) = 0;
    // RegSetValueExW of a REG_SZ value holding this UTF-16 text and its NUL, for text no ANSI code page spells.
    virtual std::int32_t SetWideStringValue(std::uintptr_t key, const std::string& name,
                                            const std::u16string& text) = 0;
    virtual std::int32_t DeleteValue(std::uintptr_t key, const std::string& name) = 0;
    virtual std::int32_t CloseKey(std::uintptr_t key) = 0;
    // The system's own description of one of these calls' result codes ("Access is denied.").
    virtual std::string DescribeResult(std::int32_t result) = 0;
};

} // namespace kob
