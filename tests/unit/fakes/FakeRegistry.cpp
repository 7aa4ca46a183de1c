#include "fakes/FakeRegistry.h"

#include <stdexcept>

#include "fakes/FakeServices.h"

namespace kob::test {

namespace {

std::string RootName(RegistryRoot root) {
    return root == RegistryRoot::CurrentUser ? "HKCU" : "HKLM";
}

} // namespace

std::int32_t FakeRegistry::OpenKey(RegistryRoot root, const std::string& subKey, std::uint32_t access,
                                   std::uintptr_t& key) {
    log_.Add("RegOpenKeyEx " + RootName(root) + " " + subKey + " " + std::to_string(access));
    if (openResult != 0) {
        return openResult;
    }
    if (const auto forced = rootOpenResults.find(root); forced != rootOpenResults.end()) {
        return forced->second;
    }
    if (writeDenied.count(root) != 0 && (access & 0x6) != 0) {
        return kErrorAccessDenied;
    }
    if (keys.find({root, subKey}) == keys.end()) {
        return kErrorFileNotFound;
    }
    key = nextHandle_++;
    handles_[key] = {root, subKey};
    openKeys.insert(key);
    ++opened;
    return kErrorSuccess;
}

std::map<std::string, StoredValue>& FakeRegistry::Opened(std::uintptr_t key) {
    if (openKeys.count(key) == 0) {
        throw std::logic_error("registry key used while not open");
    }
    if (throwOnValueOperation) {
        throw std::runtime_error("Out of memory");
    }
    return keys.at(handles_.at(key));
}

std::int32_t FakeRegistry::QueryValue(std::uintptr_t key, const std::string& name, std::uint32_t& type,
                                      std::vector<std::uint8_t>& data, std::uint32_t& size) {
    log_.Add("RegQueryValueEx " + name + " type " + std::to_string(type) + " size " + std::to_string(size) +
             " buffer " + std::to_string(data.size()));
    auto& values = Opened(key);
    const auto found = values.find(name);
    if (found == values.end()) {
        return kErrorFileNotFound;
    }
    const auto& stored = found->second;
    const auto needed = static_cast<std::uint32_t>(stored.data.size());
    type = stored.type;
    if (needed > size || needed > data.size()) {
        size = needed;
        return kErrorMoreData;
    }
    std::copy(stored.data.begin(), stored.data.end(), data.begin());
    size = needed;
    return kErrorSuccess;
}

std::int32_t FakeRegistry::SetValue(std::uintptr_t key, const std::string& name, std::uint32_t type,
                                    const std::vector<std::uint8_t>& data) {
    log_.Add("RegSetValueEx " + name + " type " + std::to_string(type) + " bytes " + std::to_string(data.size()));
    auto& values = Opened(key);
    if (writeResult != 0) {
        return writeResult;
    }
    values[name] = {type, data};
    return kErrorSuccess;
}

std::int32_t FakeRegistry::SetWideStringValue(std::uintptr_t key, const std::string& name, const std::u16string& text) {
    log_.Add("RegSetValueExW " + name + " characters " + std::to_string(text.size()));
    auto& values = Opened(key);
    if (writeResult != 0) {
        return writeResult;
    }
    std::vector<std::uint8_t> bytes;
    for (const char16_t unit : text + u'\0') {
        bytes.push_back(static_cast<std::uint8_t>(unit));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    values[name] = {kRegSz, bytes};
    return kErrorSuccess;
}

std::int32_t FakeRegistry::DeleteValue(std::uintptr_t key, const std::string& name) {
    log_.Add("RegDeleteValue " + name);
    auto& values = Opened(key);
    if (writeResult != 0) {
        return writeResult;
    }
    return values.erase(name) == 1 ? kErrorSuccess : kErrorFileNotFound;
}

std::int32_t FakeRegistry::CloseKey(std::uintptr_t key) {
    log_.Add("RegCloseKey");
    if (openKeys.erase(key) == 0) {
        throw std::logic_error("registry key closed twice or never opened");
    }
    ++closed;
    return kErrorSuccess;
}

std::string FakeRegistry::DescribeResult(std::int32_t result) {
    return result == kErrorAccessDenied ? "Access is denied." : "Error " + std::to_string(result);
}

void FakeRegistry::SetDword(RegistryRoot root, const std::string& subKey, const std::string& name,
                            std::uint32_t value) {
    keys[{root, subKey}][name] = {kRegDword,
                                  {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                   static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)}};
}

bool FakeRegistry::HasValue(RegistryRoot root, const std::string& subKey, const std::string& name) const {
    const auto key = keys.find({root, subKey});
    return key != keys.end() && key->second.count(name) == 1;
}

const StoredValue& FakeRegistry::Value(RegistryRoot root, const std::string& subKey, const std::string& name) const {
    return keys.at({root, subKey}).at(name);
}

std::uint32_t FakeRegistry::Dword(RegistryRoot root, const std::string& subKey, const std::string& name) const {
    const auto& data = Value(root, subKey, name).data;
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < data.size() && i < 4; ++i) {
        value |= static_cast<std::uint32_t>(data[i]) << (8 * i);
    }
    return value;
}

} // namespace kob::test
