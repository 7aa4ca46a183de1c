#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "settings/RegistryService.h"

namespace kob::test {

// A value as the registry holds it: its kind and its bytes (text with its NUL, UTF-16 text as little-endian units).
struct StoredValue {
    enum class Kind { Dword, Text };
    Kind kind = Kind::Dword;
    std::vector<std::uint8_t> data;
};

// A registry holding only the keys a test creates. Reads behave as the system's do on the stored bytes, whatever
// their kind; keys can be made read-only and operations made to fail. It counts the keys open, so a leaked one
// shows.
class FakeRegistry : public RegistryService {
public:
    OpenedKey OpenKey(RegistryRoot root, const std::string& subKey, RegistryAccess access) override;

    using KeyName = std::pair<RegistryRoot, std::string>;
    void CreateKey(RegistryRoot root, const std::string& subKey) { keys[{root, subKey}]; }
    void SetDword(RegistryRoot root, const std::string& subKey, const std::string& name, std::uint32_t value);
    void SetText(RegistryRoot root, const std::string& subKey, const std::string& name, const std::string& text);
    bool HasValue(RegistryRoot root, const std::string& subKey, const std::string& name) const;
    std::uint32_t Dword(RegistryRoot root, const std::string& subKey, const std::string& name) const;
    // A text value up to its NUL; "" when there is none.
    std::string Text(RegistryRoot root, const std::string& subKey, const std::string& name) const;
    // A text value written as UTF-16, up to its NUL.
    std::u16string WideText(RegistryRoot root, const std::string& subKey, const std::string& name) const;

    std::map<KeyName, std::map<std::string, StoredValue>> keys;
    // Keys that refuse to be opened for writing (access denied), as the machine's keys do for an unelevated user.
    std::set<KeyName> readOnly;
    // Failures forced on every open, on the opens under one root, and on every write or delete; none lets the
    // store decide. A forced failure carries the reason "Error", or "Access is denied." for a refusal.
    std::optional<RegistryFailure::Kind> openFailure;
    std::map<RegistryRoot, RegistryFailure::Kind> rootOpenFailures;
    std::optional<RegistryFailure::Kind> writeFailure;
    // Keys open now, and opens asked for in all, refused ones included.
    int openKeys = 0;
    int opens = 0;
    // The names of the values written, refused writes included, and of those deleted, in order.
    std::vector<std::string> writes;
    std::vector<std::string> deleted;
};

} // namespace kob::test
