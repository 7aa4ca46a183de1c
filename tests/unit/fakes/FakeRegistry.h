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

struct StoredValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
};

// A registry holding only the keys a test creates, with the return codes of advapi32. It counts open handles
// so tests can prove that every routine closes what it opened.
class FakeRegistry : public RegistryService {
public:
    explicit FakeRegistry(CallLog& log) : log_(log) {}
    std::int32_t OpenKey(RegistryRoot root, const std::string& subKey, std::uint32_t access,
                         std::uintptr_t& key) override;
    std::int32_t QueryValue(std::uintptr_t key, const std::string& name, std::uint32_t& type,
                            std::vector<std::uint8_t>& data, std::uint32_t& size) override;
    std::int32_t SetValue(std::uintptr_t key, const std::string& name, std::uint32_t type,
                          const std::vector<std::uint8_t>& data) override;
    // Stored as REG_SZ holding the UTF-16LE bytes and their NUL.
    std::int32_t SetWideStringValue(std::uintptr_t key, const std::string& name, const std::u16string& text) override;
    std::int32_t DeleteValue(std::uintptr_t key, const std::string& name) override;
    std::int32_t CloseKey(std::uintptr_t key) override;
    // Windows' text for ERROR_ACCESS_DENIED, "Error N" for the others.
    std::string DescribeResult(std::int32_t result) override;

    using KeyName = std::pair<RegistryRoot, std::string>;
    void CreateKey(RegistryRoot root, const std::string& subKey) { keys[{root, subKey}]; }
    void SetDword(RegistryRoot root, const std::string& subKey, const std::string& name, std::uint32_t value);
    bool HasValue(RegistryRoot root, const std::string& subKey, const std::string& name) const;
    const StoredValue& Value(RegistryRoot root, const std::string& subKey, const std::string& name) const;
    std::uint32_t Dword(RegistryRoot root, const std::string& subKey, const std::string& name) const;

    std::map<KeyName, std::map<std::string, StoredValue>> keys;
    // Results forced on every call of that kind; 0 lets the store decide.
    std::int32_t openResult = 0;
    std::int32_t writeResult = 0;
    // Makes the value operations fail as the environment would, with a standard exception.
    bool throwOnValueOperation = false;
    // Roots whose keys refuse to be opened for writing, as HKEY_LOCAL_MACHINE does for an unelevated user.
    std::set<RegistryRoot> writeDenied;
    // Results forced on every open of a key under that root.
    std::map<RegistryRoot, std::int32_t> rootOpenResults;
    std::set<std::uintptr_t> openKeys;
    int opened = 0;
    int closed = 0;

private:
    std::map<std::string, StoredValue>& Opened(std::uintptr_t key);
    CallLog& log_;
    std::map<std::uintptr_t, KeyName> handles_;
    std::uintptr_t nextHandle_ = 0x80;
};

} // namespace kob::test
