#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <variant>

#include "settings/RegistryKey.h"

namespace kob {

// The two predefined roots the program uses.
enum class RegistryRoot { CurrentUser, LocalMachine };

// What a key is opened for: reading its values, or writing and deleting them.
enum class RegistryAccess { Read, Write };

// A key the registry opened, or why it did not.
using OpenedKey = std::variant<std::unique_ptr<RegistryKey>, RegistryFailure>;

// The registry's existing keys. Nothing here creates a key.
class RegistryService {
public:
    virtual ~RegistryService() = default;
    virtual OpenedKey OpenKey(RegistryRoot root, const std::string& subKey, RegistryAccess access) = 0;
};

// Opens the key, runs the operation on it and closes it, whatever way the operation leaves; a key that cannot be
// opened runs nothing. Nothing is returned when the key opened, else why it did not.
template <typename Operation>
std::optional<RegistryFailure> WithKey(RegistryService& registry, RegistryRoot root, const char* subKey,
                                       RegistryAccess access, Operation&& operation) {
    OpenedKey opened = registry.OpenKey(root, subKey, access);
    if (auto* failure = std::get_if<RegistryFailure>(&opened)) {
        return std::move(*failure);
    }
    std::forward<Operation>(operation)(*std::get<std::unique_ptr<RegistryKey>>(opened));
    return std::nullopt;
}

} // namespace kob
