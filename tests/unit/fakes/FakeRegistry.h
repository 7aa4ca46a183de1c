#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "settings/RegistryService.h"

namespace kob::test {

struct CallLog;

// A value as the registry holds it: its kind and its bytes (text with its NUL, UTF-16 text as little-endian units).
struct StoredValue {
    enum class Kind { Dword, Text };
    Kind kind = Kind::Dword;
    std::vector<std::uint8_t> data;
};

// A registry holding only the keys a test creates. Reads behave as the system's do on the stored bytes, whatever
// their kind; keys can be made read-only and operations made to fail. It knows which keys are open and refuses
// a key used or closed while not open, so a leaked or twice-closed key shows.
class FakeRegistry : public RegistryService {
public:
    explicit FakeRegistry(CallLog& log) : log_(log) {}
    RegistryResult OpenKey(RegistryRoot root, const std::string& subKey, RegistryAccess access,
                           std::uintptr_t& key) override;
    RegistryResult ReadDword(std::uintptr_t key, const std::string& name, std::uint32_t& value) override;
    RegistryResult ReadText(std::uintptr_t key, const std::string& name, std::size_t maxBytes,
                            std::string& text) override;
    RegistryResult WriteDword(std::uintptr_t key, const std::string& name, std::uint32_t value) override;
    RegistryResult WriteText(std::uintptr_t key, const std::string& name, const std::string& text) override;
    RegistryResult WriteWideText(std::uintptr_t key, const std::string& name, const std::u16string& text) override;
    RegistryResult DeleteValue(std::uintptr_t key, const std::string& name) override;
    void CloseKey(std::uintptr_t key) override;

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
    // Outcomes forced on every open, on the opens under one root, and on every write or delete; Ok lets the
    // store decide. A forced failure carries the reason "Error".
    RegistryOutcome openOutcome = RegistryOutcome::Ok;
    std::map<RegistryRoot, RegistryOutcome> rootOpenOutcomes;
    RegistryOutcome writeOutcome = RegistryOutcome::Ok;
    // Makes the value operations fail as the environment would, with a standard exception.
    bool throwOnValueOperation = false;
    std::set<std::uintptr_t> openKeys;
    int opens = 0;

private:
    std::map<std::string, StoredValue>& Opened(std::uintptr_t key);
    RegistryResult Store(std::uintptr_t key, const std::string& name, StoredValue value);
    CallLog& log_;
    std::map<std::uintptr_t, KeyName> handles_;
    std::uintptr_t nextHandle_ = 0x80;
};

} // namespace kob::test
