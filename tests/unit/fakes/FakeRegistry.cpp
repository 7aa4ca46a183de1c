#include "fakes/FakeRegistry.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <utility>

#include "fakes/FakeServices.h"

namespace kob::test {

namespace {

RegistryFailure Failure(RegistryFailure::Kind kind) {
    switch (kind) {
    case RegistryFailure::Kind::AccessDenied:
        return {kind, "Access is denied."};
    case RegistryFailure::Kind::Other:
        return {kind, "Error"};
    default:
        return {kind, ""};
    }
}

std::vector<std::uint8_t> DwordBytes(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

std::vector<std::uint8_t> TextBytes(const std::string& text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

// An open key of the fake registry, counted as open while it lives.
class FakeKey : public RegistryKey {
public:
    FakeKey(FakeRegistry& registry, FakeRegistry::KeyName name) : registry_(registry), name_(std::move(name)) {
        ++registry_.openKeys;
    }
    ~FakeKey() override { --registry_.openKeys; }

    std::optional<std::uint32_t> ReadNumber(const std::string& name) override {
        const auto bytes = ReadBytes(name, 4);
        if (!bytes.text) {
            return std::nullopt;
        }
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < bytes.text->size(); ++i) {
            value |= static_cast<std::uint32_t>(static_cast<std::uint8_t>((*bytes.text)[i])) << (8 * i);
        }
        return value;
    }
    TextValue ReadText(const std::string& name, std::size_t longestText) override {
        TextValue value = ReadBytes(name, longestText + 1);
        if (value.text) {
            value.text->resize(value.text->find('\0') == std::string::npos ? value.text->size()
                                                                           : value.text->find('\0'));
        }
        return value;
    }
    RegistryChange WriteDword(const std::string& name, std::uint32_t value) override {
        return Store(name, {StoredValue::Kind::Dword, DwordBytes(value)});
    }
    RegistryChange WriteText(const std::string& name, const std::string& text) override {
        return Store(name, {StoredValue::Kind::Text, TextBytes(text)});
    }
    RegistryChange WriteWideText(const std::string& name, const std::u16string& text) override {
        std::vector<std::uint8_t> bytes;
        for (const char16_t unit : text + u'\0') {
            bytes.push_back(static_cast<std::uint8_t>(unit));
            bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
        }
        return Store(name, {StoredValue::Kind::Text, bytes});
    }
    RegistryChange DeleteValue(const std::string& name) override {
        registry_.deleted.push_back(name);
        auto& values = Values();
        if (registry_.writeFailure) {
            return Failure(*registry_.writeFailure);
        }
        if (values.erase(name) == 0) {
            return Failure(RegistryFailure::Kind::NotFound);
        }
        return std::nullopt;
    }

private:
    std::map<std::string, StoredValue>& Values() { return registry_.keys.at(name_); }
    // The value's bytes when they fit maxBytes; there without them otherwise.
    TextValue ReadBytes(const std::string& name, std::size_t maxBytes) {
        const auto& values = Values();
        const auto found = values.find(name);
        if (found == values.end()) {
            return {};
        }
        const auto& data = found->second.data;
        if (data.size() > maxBytes) {
            return {true, std::nullopt};
        }
        return {true, std::string(data.begin(), data.end())};
    }
    RegistryChange Store(const std::string& name, StoredValue value) {
        registry_.writes.push_back(name);
        auto& values = Values();
        if (registry_.writeFailure) {
            return Failure(*registry_.writeFailure);
        }
        values[name] = std::move(value);
        return std::nullopt;
    }

    FakeRegistry& registry_;
    FakeRegistry::KeyName name_;
};

} // namespace

OpenedKey FakeRegistry::OpenKey(RegistryRoot root, const std::string& subKey, RegistryAccess access) {
    ++opens;
    if (openFailure) {
        return Failure(*openFailure);
    }
    if (const auto forced = rootOpenFailures.find(root); forced != rootOpenFailures.end()) {
        return Failure(forced->second);
    }
    if (access == RegistryAccess::Write && readOnly.count({root, subKey}) != 0) {
        return Failure(RegistryFailure::Kind::AccessDenied);
    }
    if (keys.find({root, subKey}) == keys.end()) {
        return Failure(RegistryFailure::Kind::NotFound);
    }
    return std::make_unique<FakeKey>(*this, KeyName{root, subKey});
}

void FakeRegistry::SetDword(RegistryRoot root, const std::string& subKey, const std::string& name,
                            std::uint32_t value) {
    keys[{root, subKey}][name] = {StoredValue::Kind::Dword, DwordBytes(value)};
}

void FakeRegistry::SetText(RegistryRoot root, const std::string& subKey, const std::string& name,
                           const std::string& text) {
    keys[{root, subKey}][name] = {StoredValue::Kind::Text, TextBytes(text)};
}

bool FakeRegistry::HasValue(RegistryRoot root, const std::string& subKey, const std::string& name) const {
    const auto key = keys.find({root, subKey});
    return key != keys.end() && key->second.count(name) == 1;
}

std::uint32_t FakeRegistry::Dword(RegistryRoot root, const std::string& subKey, const std::string& name) const {
    const auto& value = keys.at({root, subKey}).at(name);
    if (value.kind != StoredValue::Kind::Dword || value.data.size() != 4) {
        throw std::logic_error(name + " is not a DWORD");
    }
    std::uint32_t number = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        number |= static_cast<std::uint32_t>(value.data[i]) << (8 * i);
    }
    return number;
}

std::string FakeRegistry::Text(RegistryRoot root, const std::string& subKey, const std::string& name) const {
    if (!HasValue(root, subKey, name)) {
        return "";
    }
    const auto& value = keys.at({root, subKey}).at(name);
    if (value.kind != StoredValue::Kind::Text || value.data.empty() || value.data.back() != 0) {
        throw std::logic_error(name + " is not a text with its NUL");
    }
    return std::string(value.data.begin(), std::find(value.data.begin(), value.data.end(), 0));
}

std::u16string FakeRegistry::WideText(RegistryRoot root, const std::string& subKey, const std::string& name) const {
    const auto& data = keys.at({root, subKey}).at(name).data;
    std::u16string text;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        const auto unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (unit == 0) {
            break;
        }
        text += unit;
    }
    return text;
}

} // namespace kob::test
